// The rule that ties an appointment's trigger to its own time, used by every writer that sets
// DATE or TIME: the trigger is the appointment's date and time less its lead time WARNMIN
// (crossing midnight into the previous day), or the time itself when the appointment starts a
// program (PROGSTART not empty). TTIME keeps hours and minutes ("HH:MM").
#pragma once

#include <compare>
#include <string_view>

#include "store/appointments/appointment.h"
#include "store/base/clock.h"

namespace zrv {

class Logbook;

// A trigger as the due check compares it: a date and the minute of that day. Triggers are
// stored as "HH:MM" texts; seconds never count, and an unreadable part counts as 0.
struct TriggerTime {
  Date date;
  int minutes = 0;  // 0 .. 1439

  // The trigger of a date and a time "HH:MM" (or "HH:MM:SS").
  static TriggerTime of(const Date& date, std::string_view time);
  // The minute a moment falls in.
  static TriggerTime at(const Moment& moment);
  // The stored trigger of an appointment (TDATE, TTIME).
  static TriggerTime of(const Appointment& a) { return of(a.TDATE, a.TTIME); }

  friend bool operator==(const TriggerTime&, const TriggerTime&) = default;
  friend std::strong_ordering operator<=>(const TriggerTime&, const TriggerTime&) = default;
};

// Sets a.TDATE and a.TTIME from a.DATE, a.TIME, a.WARNMIN and a.PROGSTART. Logs through subMin.
void applyTriggerRule(Appointment& a, Logbook& log);

}  // namespace zrv
