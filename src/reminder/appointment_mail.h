// Mailing a due appointment to its recipient: the body file "Email.txt", its logbook line and
// the hand-over to the mail dispatch.
#pragma once

#include <filesystem>
#include <string>

#include "mail/mail_settings.h"
#include "store/appointments/appointment.h"

namespace zrv {

class Logbook;
class MailDispatch;

// The body of the appointment mail, lines separated by a single CR. A program-start
// appointment names its program, a file-dispatch appointment its file, any other its lead time;
// all give date, entered time and the text with the age filled in.
std::string appointmentMailBody(const Appointment& a);

// The logbook line ("ShowTermin") that records the mail.
std::string appointmentMailLogLine(const Appointment& a, const std::string& senderName,
                                   const std::string& replyTo);

inline constexpr const char* kMailBodyFile = "Email.txt";
inline constexpr int kMailBodyNotWritten = -1;  // result: "Email.txt" could not be written

// Where an appointment mail's files are: the body is written into `body` (the run's files), a
// stored path is resolved against `program` (the program directory).
struct MailFolders {
  std::filesystem::path body;
  std::filesystem::path program;
};

// Writes the body to "Email.txt" in folders.body (Windows-1252), logs the mail, sends it through
// `dispatch` with `subject`, the sender's name and address, the recipient EMAIL and, for a
// file-dispatch appointment, the file PROGSTART (a stored path, resolved against
// folders.program) as attachment, and erases "Email.txt" again.
// Returns the dispatch's result, or kMailBodyNotWritten (with a logbook line) when the body
// file could not be written; nothing is sent then. A file-dispatch appointment's alarm sound is
// the caller's to play before.
int sendAppointmentMail(const Appointment& a, const std::string& subject,
                        const std::string& senderName, const std::string& replyTo,
                        const MailFolders& folders, Logbook& log, MailDispatch& dispatch);

}  // namespace zrv
