// The rule that ties an appointment's trigger to its own time, used by every writer that sets
// DATE or TIME: the trigger is the appointment's date and time less its lead time WARNMIN
// (crossing midnight into the previous day), or the time itself when the appointment starts a
// program (PROGSTART not empty). TTIME keeps hours and minutes ("HH:MM").
#pragma once

#include "store/appointments/appointment.h"

namespace zrv {

class Logbook;

// Sets a.TDATE and a.TTIME from a.DATE, a.TIME, a.WARNMIN and a.PROGSTART. Logs through subMin.
void applyTriggerRule(Appointment& a, Logbook& log);

}  // namespace zrv
