// The values the appointment editor works on while it is open: filled from the record (or the
// defaults of a new appointment), changed by the window and the details windows, and written
// back into the record only when the user saves.
#pragma once

#include <functional>
#include <string>

#include "reminder/repetition.h"
#include "store/appointments/appointment.h"
#include "store/base/date.h"

namespace zrv {

struct FixedLists;

// Which text box and which kind-specific fields the editor shows.
enum class TextMode {
  Plain,    // the large text box alone
  Program,  // a shorter text box with the program and its parameters ("Programmstart")
  File,     // a shorter text box with the file to send ("Dateiversand")
};

struct EditorValues {
  Date date;                   // DATE
  std::string time;            // TIME / TIMEVON as typed, "HH:MM"
  std::string leadTime;        // WARNMIN as typed (pattern "999")
  int kind = 1;                // position in ATERMART, 1-based
  int recurrence = 1;          // VORLAGE: position in AVORLAGE, 1-based
  RepetitionValues rep;        // REPDATE, intervals, masks, day of month
  std::string repetitionText;  // the one-line text under the recurrence kind
  std::string email;           // EMAIL
  std::string text;            // TEXT
  std::string program;         // PROGSTART of a program-start appointment
  std::string params;          // PROGPARAM
  std::string file;            // PROGSTART of a file-dispatch appointment
  std::string notAfter;        // NICHTMEHR as typed (pattern "9999")
  std::string alarmFile;       // ALARMFILE
  bool filed = false;          // QUIT
  int vorlNach = 0;            // VORLNACH, kept as it is
  bool alarm = false;          // ALARM, kept as it is
  int shownKind = 0;           // the kind the kind-specific fields were last switched for

  friend bool operator==(const EditorValues&, const EditorValues&) = default;
};

// A new appointment today at the current time ("HH:MM"), with the caller's start text, the
// default minutes of NS_MIN and the default sound of the first kind.
EditorValues newAppointmentValues(const Date& today, const std::string& now,
                                  const std::string& startText, int notAfterDefault,
                                  const std::string& defaultSound);
// The values of a stored appointment. An empty end date stays empty: the series has no end.
EditorValues valuesOf(const Appointment& a, const FixedLists& lists);

// Line breaks as the text box shows them ("\n") and as the table keeps them, interchangeable
// with Windows ("\r\n").
std::string shownLines(const std::string& stored);
std::string storedLines(const std::string& shown);

// The kind code (AT_TART) of the chosen kind; "" when the position is outside the list.
std::string kindCode(const FixedLists& lists, int kind);
TextMode textModeOf(const FixedLists& lists, int kind);

// The kind-specific fields switched for the chosen kind: a file-dispatch appointment loses its
// program, a program-start one its file, and an empty text of either becomes the kind's name.
// Nothing happens when the kind is the one last switched for. Returns the mode to show.
TextMode zrvMist(EditorValues& v, const FixedLists& lists);

// A new kind chosen in the list: its default sound (through `defaultSound`, which gets the
// kind's position) replaces the alarm sound, and the fields are switched.
TextMode changeKind(EditorValues& v, const FixedLists& lists, int kind,
                    const std::function<std::string(int)>& defaultSound);

// The date or the recurrence kind changed: the end date and the kind's defaults are set anew.
// A monthly appointment repeats on the day of its own date.
void resetRepetition(EditorValues& v);
void rebuildRepetitionText(EditorValues& v);

}  // namespace zrv
