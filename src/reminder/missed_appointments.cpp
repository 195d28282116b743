#include "reminder/missed_appointments.h"

#include <set>
#include <string>

#include "app/busy_cursor.h"
#include "app/context.h"
#include "ports/user_interface.h"
#include "reminder/alert_content.h"
#include "reminder/due_check.h"
#include "reminder/finished.h"
#include "reminder/memo_line.h"
#include "reminder/record_changes.h"
#include "reminder/record_lock.h"
#include "reminder/recurrence.h"
#include "reminder/reminder_env.h"
#include "reminder/show_termin.h"
#include "reminder/views.h"
#include "store/appointments/appointment_table.h"
#include "store/appointments/trigger.h"
#include "store/base/clock.h"
#include "store/base/date_time.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

constexpr const char* kPlace = "ChkOlds";

// The trigger has passed: an earlier day, or today at a time before now. A trigger in the
// current minute has passed ("12:00" is before "12:00:30").
bool hasPassed(const Context& ctx, const Appointment& a) {
  return minutesSince(a.TDATE, a.TTIME, ctx.clock.now()) >= 0;
}

void presentMissed(ReminderEnv& env, std::uint32_t recno) {
  qlSwitchTimer(env, false);
  showTermin(env, recno, kAlertMissed);
  qlSwitchTimer(env, true);
}

// Too late to be presented: a finished appointment is deleted (LS_SLOESCH) or filed, any other
// moved on past the occurrences that have passed.
void dropLate(ReminderEnv& env) {
  RecordLock lock(env.DTER);
  if (!lock.locked()) {
    env.ctx.log.log(kPlace, kLockedNoSave);
    return;
  }
  Result<Appointment> read = env.DTER.read();
  if (!checkStored(env, kPlace, read.status(), false)) return;
  Appointment a = std::move(read).value();
  Status s;
  if (isFinished(a, env.ctx.settings.LS_VWORIG, env.ctx.log)) {
    if (env.ctx.settings.LS_SLOESCH) {
      s = deleteCurrent(env);
      if (s) s = commitCurrent(env);
    } else {
      env.ctx.log.log(kPlace, "Termin abgelegt");
      a.QUIT = true;
      s = saveCurrent(env, a);
    }
  } else {
    qlGenTermFromNow(a, env.ctx.clock, env.ctx.log);
    s = saveCurrent(env, a);
  }
  checkStored(env, kPlace, s, false);
}

void handleMissed(ReminderEnv& env, const Appointment& a, std::uint32_t recno) {
  Context& ctx = env.ctx;
  const std::string title = firstLine(a.TEXT);
  const std::string date = a.TDATE.toDisplay();
  if (a.NICHTMEHR == 0 && !a.QUIT) {
    ctx.log.log(kPlace, "Verpasster Termin unbedingt " + date + " " + title);
    presentMissed(env, recno);
  } else if (a.NICHTMEHR > 0 && !a.QUIT &&
             qlMinDiff(a.TDATE, a.TTIME, ctx.clock, ctx.log) <= a.NICHTMEHR) {
    ctx.log.log(kPlace, "Verpasster Termin bedingt " + date + " " + std::to_string(a.NICHTMEHR) +
                            " " + title);
    presentMissed(env, recno);
  } else {
    ctx.log.log(kPlace, "Verpassten Termin löschen " + date + " " + title);
    dropLate(env);
  }
}

// Whether record `recno` still stands as `before` (not deleted, every field the same).
bool unchanged(AppointmentTable& t, std::uint32_t recno, const Appointment& before) {
  if (!t.goTo(recno) || t.eof() || t.isDeleted()) return false;
  const Result<Appointment> now = t.read();
  return !now.isOk() || *now == before;
}

}  // namespace

bool chkOlds(ReminderEnv& env) {
  Context& ctx = env.ctx;
  AppointmentTable& t = env.DTER;
  const std::uint32_t remembered = t.recNo();
  ctx.log.log(kPlace, "Verpassten Termin suchen");
  if (!ctx.settings.LS_SHOWOLD) return true;

  BusyCursor busy(ctx.ui);
  std::set<std::uint32_t> skipped;
  for (;;) {
    // The current appointments in trigger order, whatever view the list shows.
    const CurrentRecord first = t.firstCurrent(skipped);
    if (!first.status) {
      ctx.log.log(kPlace, first.status.message());
      if (first.recno == 0) break;
      skipped.insert(first.recno);
      continue;
    }
    if (first.recno == 0) break;
    const Appointment& a = first.appointment;
    if (!hasPassed(ctx, a)) break;
    if (!t.goTo(first.recno)) break;
    handleMissed(env, a, first.recno);
    if (unchanged(t, first.recno, a)) skipped.insert(first.recno);
  }
  (void)t.goTo(remembered);
  return true;
}

}  // namespace zrv
