// The program's settings windows behind SettingsWindows: each opens over the main window, and
// afterwards the running parts follow the settings (settingsChanged).
#pragma once

#include "settings/settings_commands.h"

class wxWindow;

namespace zrv {

struct Context;
class AutostartPort;
class MailSupport;
class SoundPlayer;
class WindowServices;

class WxSettingsWindows : public SettingsWindows {
 public:
  struct Parts {
    WindowServices& services;
    SoundPlayer& sound;
    MailSupport& mail;  // sends the test mail
    AutostartPort& autostart;
  };
  // Everything must outlive this object.
  WxSettingsWindows(wxWindow* parent, Context& ctx, Parts parts)
      : parent_(parent), ctx_(ctx), parts_(parts) {}

  void setupMain() override;
  void setupLan() override;
  void setupSound() override;

 private:
  wxWindow* parent_;
  Context& ctx_;
  Parts parts_;
};

}  // namespace zrv
