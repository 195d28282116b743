#include "ui/wx_window_services.h"

#include "app/context.h"
#include "calendar/calendar_window.h"

namespace zrv {

std::optional<Date> WxWindowServices::pickDate(wxWindow* owner, const Date& current) {
  return pickDayInCalendar(owner, ctx_, current);
}

void WxWindowServices::showHelp(const std::string& topic) {
  ctx_.help.show(topic);
}

}  // namespace zrv
