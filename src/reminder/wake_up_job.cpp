#include "reminder/wake_up_job.h"

#include "app/busy_cursor.h"
#include "app/context.h"
#include "ports/user_interface.h"
#include "ports/wait_port.h"
#include "ports/wake_up_port.h"
#include "store/base/date_time.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

constexpr const char* kPlace = "ChkNext";
constexpr const char* kNotRegistered = "Job konnte nicht im Scheduler eingetragen werden !";

// A job that exists at once (the kernel alarm was armed) costs no wait at all.
bool waitForJob(Context& ctx, WakeUpScheduler& scheduler, WaitPort& wait) {
  for (int pass = 0;; ++pass) {
    if (scheduler.jobExists()) {
      ctx.log.log(kPlace, "Zorvane.job gefunden");
      return true;
    }
    if (pass == kWakeUpWaitSeconds) return false;
    ctx.log.log(kPlace, "Warteschleife bis Zorvane.job gefunden");
    wait.waitOneSecond();
    ctx.ui.busy(true);
  }
}

}  // namespace

WakeUpMoment wakeUpMoment(const Date& alarmDate, const std::string& alarmTime, int minutes,
                          Context& ctx) {
  WakeUpMoment m{alarmDate, alarmTime};
  subMin(m.date, m.time, minutes, ctx.log);
  return m;
}

bool registerWakeUpJob(Context& ctx, WakeUpScheduler& scheduler, WaitPort& wait) {
  ctx.log.log(kPlace, "Erstellen Zorvane.job für Scheduler");
  ctx.ui.statusText("Erzeugen Scheduler-Job");
  BusyCursor busy(ctx.ui);
  const bool removed = scheduler.removeJob();
  ctx.log.log(kPlace, std::string("Zorvane.job: ") + (removed ? "gelöscht" : "nicht gelöscht !"));
  const WakeUpMoment m =
      wakeUpMoment(ctx.run.DN_DATE, ctx.run.CN_TIME, ctx.settings.NS_WAKEUPM, ctx);
  const bool started = scheduler.createJob(m.date, m.time, removed);
  if (started && waitForJob(ctx, scheduler, wait)) return true;
  ctx.log.log(kPlace, kNotRegistered);
  ctx.ui.message("Zorvane", kNotRegistered);
  return false;
}

void removeWakeUpJobAtExit(Context& ctx, WakeUpScheduler& scheduler) {
  if (scheduler.removeJob()) ctx.log.log("Programmende", "Zorvane.job gelöscht");
}

}  // namespace zrv
