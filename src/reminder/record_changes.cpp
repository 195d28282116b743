#include "reminder/record_changes.h"

#include <string>

#include "app/context.h"
#include "app/user_interface.h"
#include "reminder/reminder_env.h"
#include "store/appointment_table.h"
#include "store/logbook.h"

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

bool checkStored(ReminderEnv& env, std::string_view place, const Status& s, bool tellUser) {
  if (s) return true;
  env.ctx.log.log(place, "Speichern - FEHLER: " + s.message());
  if (tellUser) env.ctx.ui.message("Fehler", s.message());
  return false;
}

}  // namespace zrv
