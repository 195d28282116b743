// The due check: one tick of the due-check timer, pausing and resuming that timer, the start
// of the cycle after the main window is built, and the wrapping of user commands that open a
// modal window or change appointments.
#pragma once

#include <functional>
#include <string_view>

namespace zrv {

struct ReminderEnv;

// One tick (the timer's action). In this order: reads the stamp of the table file, pauses the
// timer, notices a new day (and then skips the chime) or sounds the quarter-hour chime, notices
// a changed table file (always on the first tick), raises the alert of the next appointment
// when its trigger has come (then looks for missed appointments and the next appointment),
// lets pending window messages run and resumes the timer. Returns true.
bool chkAll(ReminderEnv& env);

// Resumes (`on`) or pauses the due-check timer and colours the timer lamp green or red.
bool qlSwitchTimer(ReminderEnv& env, bool on);

// After the main window has been built the first time: view 1 ("Aktuelle"), the missed
// appointments, the next appointment ("DlgAfterActivate"), and the timer started.
void startDueCheck(ReminderEnv& env);

// A user command that opens a modal window or changes appointments: pauses the timer, runs
// `work`, looks for missed appointments when `checkMissed`, finds the next appointment with the
// logbook tag `caller`, resumes the timer.
void runUserCommand(ReminderEnv& env, std::string_view caller, bool checkMissed,
                    const std::function<void()>& work);

}  // namespace zrv
