#include "app/views.h"

#include "app/context.h"
#include "ports/user_interface.h"
#include "store/appointments/appointment_table.h"

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

Status applyView(Context& ctx, AppointmentTable& table, int view) {
  Status s = table.setView(view);
  if (!s) return s;
  ctx.settings.NS_TODAY = view;
  ctx.ui.statusPane(StatusPane::View, viewText(view));
  return s;
}

}  // namespace zrv
