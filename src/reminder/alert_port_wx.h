// The alert port on screen: the alert window and "Termin verlegen" as modal wx dialogs.
#pragma once

#include "ports/alert_port.h"
#include "reminder/alert_window.h"
#include "reminder/postpone_window.h"

class wxWindow;

namespace zrv {

class WxAlertPort : public AlertPort {
 public:
  // `parent` (the main window, may be null) must outlive the port.
  WxAlertPort(wxWindow* parent, AlertWindowOptions alertOptions,
              PostponeWindowOptions postponeOptions)
      : parent_(parent),
        alertOptions_(std::move(alertOptions)),
        postponeOptions_(std::move(postponeOptions)) {}

  void setParent(wxWindow* parent) { parent_ = parent; }

  void showAlert(const AlertContent& content, AlertActions& actions) override;
  // Opens over the alert while one is shown, otherwise over the parent.
  std::optional<Postponement> askPostponement(const Date& date, const std::string& time) override;
  MissedChoice showMissedSummary(const std::vector<MissedRow>& rows) override;

 private:
  wxWindow* parent_;
  wxWindow* openAlert_ = nullptr;
  AlertWindowOptions alertOptions_;
  PostponeWindowOptions postponeOptions_;
};

}  // namespace zrv
