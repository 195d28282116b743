// iCalendar files and the appointment table: what goes out of an appointment into a VEVENT and
// what comes back in. The mapping itself (libical) lives in the module zorvane_ical.so, which the
// program opens only for an export or an import; this header is all the rest of it sees.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/appointments/appointment.h"
#include "store/base/clock.h"

namespace zrv {

struct FixedLists;
class Logbook;

// What an import needs besides the file: the kinds, the defaults a new appointment gets from the
// editor, and the conversion of a moment in time to the local wall-clock time.
struct IcsImportRules {
  const FixedLists& lists;
  Logbook& log;
  int notAfterDefault = 10;  // NICHTMEHR of a new appointment (setting NACHMIN)
  // The default alarm sound of a kind (1-based position in ATERMART).
  std::function<std::string(int kind)> defaultSound;
  // Seconds since 1970-01-01 00:00 UTC to local wall-clock time.
  std::function<Moment(std::int64_t utcSeconds)> toLocal;
};

struct IcsImport {
  std::vector<Appointment> appointments;  // with their triggers, ready to append
  // One German line per event that cannot become an appointment, naming its UID and why.
  std::vector<std::string> refusals;
  // The file is no iCalendar at all (German, "" when it is one).
  std::string problem;
};

class IcsCodec {
 public:
  virtual ~IcsCodec() = default;
  // A VCALENDAR with one VEVENT per appointment (UTF-8, CR LF lines).
  // `nowUtc`: the moment of the export, seconds since 1970 in UTC.
  virtual std::string exportIcs(const std::vector<Appointment>& appointments,
                                const FixedLists& lists, std::int64_t nowUtc) const = 0;
  virtual IcsImport importIcs(std::string_view text, const IcsImportRules& rules) const = 0;
};

// The mapping with libical, linked in (the module and the tests use it).
const IcsCodec& linkedIcsCodec();

// The module's file name in the program directory and its one exported function.
inline constexpr const char* kIcsModuleFile = "zorvane_ical.so";
inline constexpr const char* kIcsCodecEntry = "zrvIcsCodec";
using IcsCodecEntry = const IcsCodec* (*)();

// Names of the program's own properties: what iCalendar has no place for, so that an export
// imported again gives the same records.
namespace ics {
inline constexpr const char* kFiled = "X-ZORVANE-FILED";        // QUIT: TRUE / FALSE
inline constexpr const char* kSound = "X-ZORVANE-SOUND";        // ALARMFILE
inline constexpr const char* kNoSound = "X-ZORVANE-NOSOUND";    // TRUE: ALARMFILE is empty
inline constexpr const char* kAlarm = "X-ZORVANE-ALARM";        // ALARM: TRUE / FALSE
inline constexpr const char* kProgram = "X-ZORVANE-PROGRAM";    // PROGSTART
inline constexpr const char* kParams = "X-ZORVANE-PARAMS";      // PROGPARAM
inline constexpr const char* kMail = "X-ZORVANE-MAIL";          // EMAIL
inline constexpr const char* kNotAfter = "X-ZORVANE-NOTAFTER";  // NICHTMEHR, minutes
inline constexpr const char* kKind = "X-ZORVANE-KIND";          // TERMINART, the code
// Fields kept only when the recurrence rule does not give them back as they are.
inline constexpr const char* kTimeVon = "X-ZORVANE-TIMEVON";    // HH:MM
inline constexpr const char* kRepDate = "X-ZORVANE-REPDATE";    // YYYYMMDD, "-" for none
inline constexpr const char* kWeekdays = "X-ZORVANE-WEEKDAYS";  // the mask as stored
inline constexpr const char* kMonths = "X-ZORVANE-MONTHS";      // the mask as stored
inline constexpr const char* kMonthDay = "X-ZORVANE-MONTHDAY";  // number
inline constexpr const char* kDayInterval = "X-ZORVANE-DAYINTVALL";
inline constexpr const char* kWeekInterval = "X-ZORVANE-WEKINTVALL";
inline constexpr const char* kVorlNach = "X-ZORVANE-VORLNACH";
inline constexpr const char* kRepeat = "X-ZORVANE-REPEAT";
// A trigger moved by the alert's automatic repeat (LAUTO): YYYYMMDDTHHMM.
inline constexpr const char* kAutoTrigger = "X-ZORVANE-AUTOTRIGGER";
}  // namespace ics

}  // namespace zrv
