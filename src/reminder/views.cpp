#include "reminder/views.h"

#include "app/context.h"
#include "ports/user_interface.h"
#include "reminder/reminder_env.h"
#include "store/appointments/appointment_table.h"
#include "store/base/logbook.h"

namespace zrv {

bool setFilter(ReminderEnv& env, int view) {
  Context& ctx = env.ctx;
  if (!isView(view)) {
    ctx.ui.message("Filter", "Fehler");
    return false;
  }
  const Status s = applyView(ctx, env.DTER, view);
  if (!s) {
    ctx.log.log("SetFilter", s.message());
    ctx.ui.message("Filter", s.message());
    return false;
  }
  return true;
}

}  // namespace zrv
