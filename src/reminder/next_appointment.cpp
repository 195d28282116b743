#include "reminder/next_appointment.h"

#include <string>

#include "app/context.h"
#include "ports/main_window_port.h"
#include "reminder/memo_line.h"
#include "reminder/reminder_env.h"
#include "reminder/text_util.h"
#include "reminder/views.h"
#include "reminder/wake_up_job.h"
#include "store/appointments/appointment_table.h"
#include "store/appointments/trigger.h"
#include "store/base/clock.h"
#include "store/base/date_time.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

constexpr const char* kPlace = "ChkNext";

// The first record of the view, or an empty appointment when the view is empty or the record
// cannot be read (logged).
Appointment firstOfView(ReminderEnv& env) {
  AppointmentTable& t = env.DTER;
  Status moved = t.goTop();
  if (!moved) {
    env.ctx.log.log(kPlace, moved.message());
    return {};
  }
  Result<Appointment> a = t.read();
  if (!a) {
    env.ctx.log.log(kPlace, a.message());
    return {};
  }
  return std::move(a).value();
}

bool stillAhead(const Context& ctx, const Date& date, const std::string& time) {
  return TriggerTime::of(date, time) > TriggerTime::at(ctx.clock.now());
}

}  // namespace

bool chkNext(ReminderEnv& env, std::string_view caller) {
  Context& ctx = env.ctx;
  RunState& run = ctx.run;
  ctx.log.log(kPlace, "Nächsten Termin suchen - call von: " + std::string(caller));
  const Appointment first = firstOfView(env);
  if (ctx.settings.NS_TODAY != kViewFiled) {
    run.DN_DATE = first.TDATE;
    run.CN_TIME = first.TTIME;
    run.NN_WEEK = weekDay(ctx.clock.today());
    run.NN_REC = env.DTER.recNo();
    if (ctx.settings.LS_WAKEUP && stillAhead(ctx, run.DN_DATE, run.CN_TIME)) {
      registerWakeUpJob(ctx, env.ports.wakeUp, env.ports.wait);
    }
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
  env.ports.window.listToFirstRow();
  return true;
}

}  // namespace zrv
