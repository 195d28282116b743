// Whoever uses a setting for longer than one step follows a change of the settings through a
// SettingsListener: the due-check timer its interval (Timer), the main window its list and title,
// the tray its tooltip. A settings window changes ctx.settings, saves them and then calls
// settingsChanged(ctx).
#pragma once

namespace zrv {

struct Context;

class SettingsListener {
 public:
  virtual ~SettingsListener() = default;
  // ctx.settings have changed while the program runs.
  virtual void settingsChanged(Context& ctx) = 0;
};

// For a context nobody follows: start-up before the windows, tests of single steps.
class NoSettingsListener : public SettingsListener {
 public:
  void settingsChanged(Context&) override {}
};

// Tells the context's listener that ctx.settings have changed.
void settingsChanged(Context& ctx);

}  // namespace zrv
