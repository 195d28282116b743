#include "reminder/record_changes.h"

#include <string>

#include "app/context.h"
#include "ports/user_interface.h"
#include "reminder/finished.h"
#include "reminder/record_lock.h"
#include "reminder/recurrence.h"
#include "reminder/reminder_env.h"
#include "store/appointments/appointment_table.h"
#include "store/base/logbook.h"

namespace zrv {

Status deleteCurrent(ReminderEnv& env) {
  Status s = env.DTER.deleteRecord();
  if (s) env.ctx.run.LS_PACK = true;
  return s;
}

Status saveCurrent(ReminderEnv& env, const Appointment& a) {
  Status s = env.DTER.write(a);
  if (!s) return s;
  return env.DTER.commit();
}

Status commitCurrent(ReminderEnv& env) {
  return env.DTER.commit();
}

void finishWithoutAsking(ReminderEnv& env, const FinishLines& lines) {
  Context& ctx = env.ctx;
  RecordLock lock(env.DTER);
  if (!lock.locked()) {
    ctx.log.log(lines.place, kLockedNoSave);
    return;
  }
  Result<Appointment> read = env.DTER.read();
  if (!checkStored(env, lines.place, read.status(), false)) return;
  Appointment a = std::move(read).value();
  Status s;
  if (isFinished(a, ctx.settings.LS_VWORIG, ctx.log)) {
    if (ctx.settings.LS_SLOESCH) {
      s = deleteCurrent(env);
      if (lines.deleted) ctx.log.log("KillTermin", lines.deleted);
      if (s) s = commitCurrent(env);
    } else {
      if (lines.filed) ctx.log.log(lines.place, lines.filed);
      a.QUIT = true;
      s = saveCurrent(env, a);
    }
  } else {
    if (lines.moving) ctx.log.log(lines.place, lines.moving);
    qlGenTermFromNow(a, ctx.clock, ctx.log);
    if (lines.moved) ctx.log.log(lines.place, lines.moved);
    s = saveCurrent(env, a);
  }
  checkStored(env, lines.place, s, false);
}

bool checkStored(ReminderEnv& env, std::string_view place, const Status& s, bool tellUser) {
  if (s) return true;
  env.ctx.log.log(place, "Speichern - FEHLER: " + s.message());
  if (tellUser) env.ctx.ui.message("Fehler", s.message());
  return false;
}

}  // namespace zrv
