// The alert port on screen: the alert window and "Termin verlegen" as modal wx dialogs.
#pragma once

#include "ports/alert_port.h"
#include "reminder/alert_window.h"
#include "reminder/postpone_window.h"

class wxWindow;

namespace zrv {

class WxAlertPort : public AlertPort {
 public:
  // `parent` (the main window, may be null) and `services` must outlive the port.
  WxAlertPort(wxWindow* parent, EntryColours colours = defaultEntryColours(),
              WindowServices& services = plainWindowServices())
      : parent_(parent), colours_(colours), services_(services) {}

  void setParent(wxWindow* parent) { parent_ = parent; }

  void showAlert(const AlertContent& content, AlertActions& actions) override;
  // Opens over the alert while one is shown, otherwise over the parent.
  std::optional<Postponement> askPostponement(const Date& date, const std::string& time) override;
  MissedChoice showMissedSummary(const std::vector<MissedRow>& rows) override;

 private:
  wxWindow* parent_;
  wxWindow* openAlert_ = nullptr;
  EntryColours colours_;
  WindowServices& services_;
};

}  // namespace zrv
