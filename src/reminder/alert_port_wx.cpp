#include "reminder/alert_port_wx.h"

#include "reminder/missed_summary_window.h"

namespace zrv {

void WxAlertPort::showAlert(const AlertContent& content, AlertActions& actions) {
  AlertWindow window(parent_, content, actions, AlertWindowOptions{colours_}, services_);
  wxWindow* outer = openAlert_;
  openAlert_ = &window;
  window.ShowModal();
  openAlert_ = outer;
}

std::optional<Postponement> WxAlertPort::askPostponement(const Date& date,
                                                         const std::string& time) {
  PostponeWindow window(openAlert_ ? openAlert_ : parent_, date, time,
                        PostponeWindowOptions{colours_}, services_);
  window.ShowModal();
  return window.result();
}

MissedChoice WxAlertPort::showMissedSummary(const std::vector<MissedRow>& rows) {
  return showMissedSummaryWindow(parent_, rows, services_);
}

}  // namespace zrv
