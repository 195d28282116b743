#include "reminder/views.h"

#include "app/context.h"
#include "app/user_interface.h"
#include "reminder/reminder_env.h"
#include "store/appointment_table.h"
#include "store/logbook.h"

namespace zrv {

const char* viewText(int view) {
  switch (view) {
    case kViewCurrent:
      return "Aktuelle";
    case kViewToday:
      return "Heutige";
    case kViewFiled:
      return "Abgelegte";
    default:
      return "";
  }
}

bool setFilter(ReminderEnv& env, int view) {
  Context& ctx = env.ctx;
  if (view < kViewCurrent || view > kViewFiled) {
    ctx.ui.message("Filter", "Fehler");
    return false;
  }
  const Status s = env.DTER.setView(view);
  if (!s) {
    ctx.log.log("SetFilter", s.message());
    ctx.ui.message("Filter", s.message());
    return false;
  }
  ctx.settings.NS_TODAY = view;
  ctx.ui.statusPane(StatusPane::View, viewText(view));
  return true;
}

}  // namespace zrv
