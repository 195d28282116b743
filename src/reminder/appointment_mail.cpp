#include "reminder/appointment_mail.h"

#include <system_error>

#include "ports/mail_port.h"
#include "reminder/age_marker.h"
#include "reminder/appointment_kinds.h"
#include "reminder/text_util.h"
#include "store/base/codepage.h"
#include "store/base/file_io.h"
#include "store/base/file_names.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

std::string joinLines(std::initializer_list<std::string> lines) {
  std::string body;
  bool first = true;
  for (const std::string& line : lines) {
    if (!first) body += '\r';
    body += line;
    first = false;
  }
  return body;
}

bool isKind(const Appointment& a, const char* code) {
  return rtrimBlanks(a.TERMINART) == code;
}

// Removes the body file when the mail is done, whatever happened in between.
class BodyFileGuard {
 public:
  explicit BodyFileGuard(std::filesystem::path p) : path_(std::move(p)) {}
  ~BodyFileGuard() {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
  }
  BodyFileGuard(const BodyFileGuard&) = delete;
  BodyFileGuard& operator=(const BodyFileGuard&) = delete;

 private:
  std::filesystem::path path_;
};

bool writeBody(const std::filesystem::path& file, const std::string& body) {
  UniqueFile f = openFile(file, "wb");
  if (!f) return false;
  const std::string bytes = utf8ToCp1252(body);
  return std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size() &&
         std::fflush(f.get()) == 0;
}

}  // namespace

std::string appointmentMailBody(const Appointment& a) {
  const std::string text = makeAge(a.TEXT, a.DATE);
  const std::string date = "Datum: " + a.DATE.toDisplay();
  const std::string time = "Uhrzeit: " + a.TIMEVON;
  if (isKind(a, kKindProgramStart)) {
    return joinLines(
        {"Programmstart: " + rtrimBlanks(a.PROGSTART), date, time, "", "Termintext:", text});
  }
  // The age is filled in once more here: a second marker in the text gets its age too.
  const std::string twice = makeAge(text, a.DATE);
  if (isKind(a, kKindFileDispatch)) {
    return joinLines(
        {"Dateiversand: " + rtrimBlanks(a.PROGSTART), date, time, "", "Termintext:", twice});
  }
  return joinLines(
      {date, time, "Vorwarnzeit: " + std::to_string(a.WARNMIN), "", "Termintext:", twice});
}

std::string appointmentMailLogLine(const Appointment& a, const std::string& senderName,
                                   const std::string& replyTo) {
  if (isKind(a, kKindProgramStart)) {
    return "Mail für PrgStart: " + a.PROGSTART + " Param: " + a.PROGPARAM;
  }
  if (isKind(a, kKindFileDispatch)) {
    return "Mail für MailVersand: " + senderName + " " + replyTo + " " + a.PROGSTART;
  }
  return "Mail für Termin: " + senderName + " " + replyTo + " " + a.EMAIL;
}

int sendAppointmentMail(const Appointment& a, const std::string& subject,
                        const std::string& senderName, const std::string& replyTo,
                        const MailFolders& folders, Logbook& log, MailDispatch& dispatch) {
  const std::filesystem::path bodyFile = findFile(folders.body, kMailBodyFile);
  BodyFileGuard guard(bodyFile);
  if (!writeBody(bodyFile, appointmentMailBody(a))) {
    log.log("ShowTermin",
            "Email.txt kann nicht geschrieben werden - keine Mail an " + trimBlanks(a.EMAIL));
    return kMailBodyNotWritten;
  }
  log.log("ShowTermin", appointmentMailLogLine(a, senderName, replyTo));
  MailRequest request{subject, bodyFile, senderName, replyTo, trimBlanks(a.EMAIL), {}};
  if (isKind(a, kKindFileDispatch)) {
    request.attachments.push_back(resolveStoredPath(folders.program, a.PROGSTART).string());
  }
  return dispatch.send(request);
}

}  // namespace zrv
