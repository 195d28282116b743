#include "ui/settings_follower.h"

#include "app/context.h"
#include "ui/main_frame.h"
#include "ui/resident_tray.h"

namespace zrv {

void SettingsFollower::settingsChanged(Context&) {
  frame_.settingsChanged();
  // The next appointment's tooltip, once there is one (the icon keeps the release before).
  if (tray_ && !frame_.trayTooltip().empty()) tray_->setText(frame_.trayTooltip());
}

}  // namespace zrv
