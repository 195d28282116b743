// "Während Sie weg waren": after a start, or when the computer wakes from stand-by, the current
// appointments whose trigger passed unseen are offered in one window instead of one alert after
// another (setting SUMMARY, on by default). "Alle bestätigen" moves each on as "&Gelesen" does
// without asking (a finished one is deleted or filed as the settings say); "Einzeln ansehen"
// leaves them to the alerts as before.
#pragma once

#include "store/base/clock.h"

namespace zrv {

struct ReminderEnv;

// Offers the window when SUMMARY is on and more than one appointment was missed (with SHOWOLD
// on, only those still within their NICHTMEHR minutes: the later ones are dropped by the search
// for missed appointments as before). True when the user confirmed them all. The caller pauses
// the timer and looks for the next appointment afterwards.
bool offerMissedSummary(ReminderEnv& env);

// Whether the time since the last tick shows that the computer slept (or the program was held
// up) for longer than a few timer intervals.
bool wokeUp(const Moment& lastTick, const Moment& now, int timerSeconds);

}  // namespace zrv
