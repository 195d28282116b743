#include "reminder/due_check.h"

#include <string>

#include "app/context.h"
#include "ports/main_window_port.h"
#include "ports/timer_port.h"
#include "ports/user_interface.h"
#include "reminder/alert_content.h"
#include "reminder/missed_appointments.h"
#include "reminder/missed_summary.h"
#include "reminder/next_appointment.h"
#include "reminder/reminder_env.h"
#include "reminder/show_termin.h"
#include "reminder/sound_slots.h"
#include "reminder/views.h"
#include "store/appointments/appointment_table.h"
#include "store/appointments/trigger.h"
#include "store/base/clock.h"
#include "store/base/date_time.h"
#include "store/base/file_stamp.h"
#include "store/base/logbook.h"
#include "store/xbase/table.h"

namespace zrv {
namespace {

constexpr const char* kPlace = "Im Timer";

// Today's and the past once-only index hold the date their keys were written on: they are
// built anew for the new day (the search for the next appointment then reloads the list).
void newDay(ReminderEnv& env, const Date& today) {
  env.ctx.log.log(kPlace, "Neuer Tag");
  const Status rebuilt = env.DTER.rebuildDayIndexes();
  env.ctx.log.log(kPlace, rebuilt ? std::string("Indexe .NT3 und .NT4 neu aufgebaut")
                                  : "Indexe .NT3 und .NT4 - FEHLER: " + rebuilt.message());
  env.ctx.run.LS_4ALAOK = false;
  env.ctx.run.DS_STARTDATE = today;
  chkNext(env, "ChkAll");
}

// One chime flag per quarter: the chime of minute 15 sets its own flag and clears the flag of
// the next quarter's chime, and so on round the hour, so that each chime sounds once in its
// minute however often the timer ticks in it.
struct Quarter {
  const char* minute;
  int sound;  // number in area 3
  bool RunState::*done;
  bool RunState::*next;
  const char* text;
};
constexpr Quarter kQuarters[] = {
    {"15", 2, &RunState::LS_4ALAOK, &RunState::LS_3ALAOK, "1. Viertelstunde-Alarm"},
    {"30", 3, &RunState::LS_3ALAOK, &RunState::LS_2ALAOK, "2. Viertelstunde-Alarm"},
    {"45", 4, &RunState::LS_2ALAOK, &RunState::LS_1ALAOK, "3. Viertelstunde-Alarm"},
    {"00", 5, &RunState::LS_1ALAOK, &RunState::LS_4ALAOK, "4. Viertelstunde-Alarm"},
};

// `time` is "HH:MM:SS". No full-hour chime at midnight.
void quarterChime(ReminderEnv& env, const std::string& time) {
  const std::string minute = time.substr(3, 2);
  if (minute == "00" && time.compare(0, 2, "00") == 0) return;
  RunState& run = env.ctx.run;
  for (const Quarter& q : kQuarters) {
    if (minute != q.minute || run.*q.done) continue;
    env.ctx.log.log(kPlace, q.text);
    qlPlaySound(env.ctx, env.ports.sound, 3, q.sound);
    run.*q.done = true;
    run.*q.next = false;
    return;
  }
}

// The table file changed since the last tick that noticed a change (always on the first tick).
void fileChanged(ReminderEnv& env) {
  Context& ctx = env.ctx;
  ctx.log.log(kPlace, "Netzwerk-Alarm");
  env.stamp = fileStamp(env.DTER.table().file());
  env.stampKnown = true;
  if (ctx.settings.LS_ALARMON && ctx.settings.NS_LANACTUAL == 1) {
    qlPlaySound(ctx, env.ports.sound, 1, 7);
  } else if (ctx.settings.NS_LANACTUAL == 2) {
    ctx.log.log(kPlace, "Netzwerk-PopUp");
    env.ports.window.showOnTop();
    ctx.run.LS_WNDSHOWN = true;
    ctx.run.LS_WNDHIDDEN = false;
  }
  chkNext(env, "ChkAll - UserUpdate");
}

// Real minutes, so that a trigger set in the hour that the autumn clock change repeats comes
// when it is due and not an hour early or late.
bool triggerReached(const Context& ctx, const Date& date, const std::string& time) {
  return minutesSince(date, time, ctx.clock.now()) >= 0;
}

bool nextIsDue(ReminderEnv& env) {
  const RunState& run = env.ctx.run;
  if (run.NN_REC <= 0) return false;
  return triggerReached(env.ctx, run.DN_DATE, run.CN_TIME);
}

void presentDueAppointment(ReminderEnv& env) {
  env.ports.window.refresh();
  qlSwitchTimer(env, false);
  showTermin(env, static_cast<std::uint32_t>(env.ctx.run.NN_REC), kAlertCurrent);
  chkOlds(env);
  chkNext(env, "ChkAll - aktTerm");
  qlSwitchTimer(env, true);
}

// Committed changes wait in the table's journal and reach its files at a checkpoint. That write
// is the program's own: the next tick must not take it for another user's change.
void checkpointIfDue(ReminderEnv& env) {
  Table& table = env.DTER.table();
  if (!table.checkpointDue()) return;
  if (Status s = table.checkpointIfDue(); !s) {
    env.ctx.log.log(kPlace, s.message());
    return;
  }
  env.stamp = fileStamp(table.file());
}

// Marks the tick as running for as long as it lives.
class TickGuard {
 public:
  explicit TickGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~TickGuard() { flag_ = false; }
  TickGuard(const TickGuard&) = delete;
  TickGuard& operator=(const TickGuard&) = delete;

 private:
  bool& flag_;
};

void tick(ReminderEnv& env, const std::optional<FileStamp>& seen) {
  Context& ctx = env.ctx;
  const Moment now = ctx.clock.now();
  if (now.date != ctx.run.DS_STARTDATE) {
    newDay(env, now.date);
  } else if (ctx.settings.LS_ALARMON) {
    quarterChime(env, formatTimeOfDay(now.secondsOfDay));
  }
  if (!env.stampKnown || seen != env.stamp) fileChanged(env);
  // Back from stand-by: what was missed meanwhile comes in one window.
  const bool woke = env.lastTick && wokeUp(*env.lastTick, now, ctx.settings.NS_TIMER);
  env.lastTick = now;
  if (woke && offerMissedSummary(env)) chkNext(env, "ChkAll - Weg");
  if (nextIsDue(env)) presentDueAppointment(env);
  checkpointIfDue(env);
  env.ports.window.processPendingMessages();
}

}  // namespace

bool qlSwitchTimer(ReminderEnv& env, bool on) {
  // Inside a tick the timer stays paused; the tick's end resumes it.
  if (on && env.ticking) return true;
  if (on) {
    env.lastTick = env.ctx.clock.now();  // time spent in windows is no sleep of the computer
    env.ports.timer.start();
  } else {
    env.ports.timer.stop();
  }
  env.ctx.ui.statusPaneColour(StatusPane::TimerLamp, on ? kLampRunning : kLampPaused);
  return true;
}

bool chkAll(ReminderEnv& env) {
  Context& ctx = env.ctx;
  if (env.ticking) {
    ctx.log.log(kPlace, "Timer läuft noch - kein zweiter Durchlauf");
    return true;
  }
  const std::optional<FileStamp> seen = fileStamp(env.DTER.table().file());
  qlSwitchTimer(env, false);
  {
    TickGuard guard(env.ticking);
    tick(env, seen);
  }
  qlSwitchTimer(env, true);
  return true;
}

void startDueCheck(ReminderEnv& env) {
  setFilter(env, kViewCurrent);
  offerMissedSummary(env);
  chkOlds(env);
  chkNext(env, "DlgAfterActivate");
  qlSwitchTimer(env, true);
}

void runUserCommand(ReminderEnv& env, std::string_view caller, bool checkMissed,
                    const std::function<void()>& work) {
  qlSwitchTimer(env, false);
  if (work) work();
  if (checkMissed) chkOlds(env);
  chkNext(env, caller);
  qlSwitchTimer(env, true);
}

}  // namespace zrv
