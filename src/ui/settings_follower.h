// The program's SettingsListener: after a change of the settings the due-check timer runs on with
// the interval it was started with (a new Timer counts from the next start), the main window makes
// its title and its list or week overview anew, and the tray icon shows the main window's tooltip
// again. The next appointment (and with it the tooltip's text and the wake-up job) is looked for by
// the command that opened the settings window, as after every user command. Sounds need no
// following (the sound table and the wave files are read at every sound), nor does autostart (the
// settings window writes its entry).
#pragma once

#include "app/settings_listener.h"

namespace zrv {

class MainFrame;
class ResidentTray;

class SettingsFollower : public SettingsListener {
 public:
  // `frame` must outlive this object.
  explicit SettingsFollower(MainFrame& frame) : frame_(frame) {}
  // The tray icon, made after the window; null: none.
  void setTray(ResidentTray* tray) { tray_ = tray; }

  void settingsChanged(Context& ctx) override;

 private:
  MainFrame& frame_;
  ResidentTray* tray_ = nullptr;
};

}  // namespace zrv
