// Registering the wake-up job for the next alarm: the computer is to wake NS_WAKEUPM minutes
// before it. Runs inside the search for the next appointment when waking up is switched on.
#pragma once

#include <string>

#include "store/base/date.h"

namespace zrv {

struct Context;
class WakeUpScheduler;
class WaitPort;

inline constexpr int kWakeUpWaitSeconds = 30;

// The moment to wake: the alarm less `minutes` (unchanged with 0 or fewer).
struct WakeUpMoment {
  Date date;
  std::string time;  // "HH:MM:00", or the alarm's own time text when nothing was subtracted
};
WakeUpMoment wakeUpMoment(const Date& alarmDate, const std::string& alarmTime, int minutes,
                          Context& ctx);

// Replaces the wake-up job by one for the alarm DN_DATE / CN_TIME of the run state and waits up
// to 30 passes of `wait` for it to exist (none when it exists at once). When it never appears the
// user is told "Job konnte nicht im Scheduler eingetragen werden !" and the cycle goes on without
// it. Returns whether the job exists.
bool registerWakeUpJob(Context& ctx, WakeUpScheduler& scheduler, WaitPort& wait);

// At exit: removes the wake-up job whatever LS_WAKEUP says now (it may have been switched off
// after a job was made), so that no job outlives the program. Logs a removal.
void removeWakeUpJobAtExit(Context& ctx, WakeUpScheduler& scheduler);

}  // namespace zrv
