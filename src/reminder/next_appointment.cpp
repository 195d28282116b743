#include "reminder/next_appointment.h"

#include <set>
#include <string>

#include "app/context.h"
#include "ports/main_window_port.h"
#include "ports/timer_port.h"
#include "reminder/memo_line.h"
#include "reminder/reminder_env.h"
#include "reminder/text_util.h"
#include "reminder/wake_up_job.h"
#include "store/appointments/appointment_table.h"
#include "store/appointments/trigger.h"
#include "store/base/clock.h"
#include "store/base/date_time.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

constexpr const char* kPlace = "ChkNext";

// The first current appointment (the earliest trigger not filed), whatever view the list shows,
// or an empty appointment when there is none or it cannot be read (logged).
// A record that cannot be read is passed over, so that it silences no other appointment.
CurrentRecord firstCurrent(ReminderEnv& env) {
  std::set<std::uint32_t> unreadable;
  for (;;) {
    CurrentRecord first = env.DTER.firstCurrent(unreadable);
    if (first.status) return first;
    env.ctx.log.log(kPlace, first.status.message());
    if (first.recno == 0 || !unreadable.insert(first.recno).second) return {};
  }
}

bool stillAhead(const Context& ctx, const Date& date, const std::string& time) {
  return !date.empty() && minutesSince(date, time, ctx.clock.now()) < 0;
}

// The timer checks once more at the next appointment's trigger, so that its alert comes at its
// minute and not up to one interval later. A trigger already passed is checked at once, but only
// once for the same appointment: one that cannot be presented (its record locked elsewhere)
// waits for the periodic checks instead of being tried again and again.
void checkAtTrigger(ReminderEnv& env) {
  const RunState& run = env.ctx.run;
  if (run.NN_REC <= 0 || run.DN_DATE.empty()) {
    env.ports.timer.checkAt(std::nullopt);
    return;
  }
  const Moment now = env.ctx.clock.now();
  const long minutesAhead = -minutesSince(run.DN_DATE, run.CN_TIME, now);
  if (minutesAhead > 0) {
    env.passedTriggerChecked.reset();
    env.ports.timer.checkAt(std::chrono::seconds(minutesAhead * 60 - now.secondsOfDay % 60));
    return;
  }
  const ReminderEnv::Trigger passed{run.NN_REC, run.DN_DATE, run.CN_TIME};
  if (env.passedTriggerChecked == passed) {
    env.ports.timer.checkAt(std::nullopt);
    return;
  }
  env.passedTriggerChecked = passed;
  env.ports.timer.checkAt(std::chrono::milliseconds(0));
}

}  // namespace

bool chkNext(ReminderEnv& env, std::string_view caller) {
  Context& ctx = env.ctx;
  RunState& run = ctx.run;
  ctx.log.log(kPlace, "Nächsten Termin suchen - call von: " + std::string(caller));
  const CurrentRecord next = firstCurrent(env);
  const Appointment& first = next.appointment;
  run.DN_DATE = first.TDATE;
  run.CN_TIME = first.TTIME;
  run.NN_WEEK = weekDay(ctx.clock.today());
  run.NN_REC = next.recno;
  if (ctx.settings.LS_WAKEUP && stillAhead(ctx, run.DN_DATE, run.CN_TIME)) {
    registerWakeUpJob(ctx, env.ports.wakeUp, env.ports.wait);
  }
  const std::string title = rtrimBlanks(firstLine(first.TEXT));
  ctx.log.log(kPlace, std::string("lAppHide = ") + logical(run.LS_WNDHIDDEN) +
                          "  lShow = " + logical(run.LS_WNDSHOWN));
  ctx.log.log(kPlace, "Nächster Termin am: " + run.DN_DATE.toDisplay() + " um: " + run.CN_TIME +
                          " " + title + "\r\n");
  if (run.LS_WNDHIDDEN && run.LWINXP) {
    env.ports.window.setTrayTooltip("Zorvane - " + first.TDATE.toDisplay() + " - " +
                                    first.TTIME.substr(0, 5) + " " + title);
  }
  checkAtTrigger(env);
  env.ports.window.listToFirstRow();
  return true;
}

}  // namespace zrv
