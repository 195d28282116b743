#include "settings/settings_windows_wx.h"

#include "app/settings_listener.h"
#include "mail/mail_support.h"
#include "settings/setup_lan_dialog.h"
#include "settings/setup_main_dialog.h"
#include "settings/sound_settings_window.h"

namespace zrv {

void WxSettingsWindows::setupMain() {
  MailSupport& mail = parts_.mail;
  zrv::setupMain(parent_, ctx_, parts_.services, parts_.autostart,
                 [&mail](const MailSettingsCopy& copy) { (void)sendTestMail(mail.env(), copy); });
  settingsChanged(ctx_);
}

void WxSettingsWindows::setupLan() {
  zrv::setupLan(parent_, ctx_, parts_.services);
  settingsChanged(ctx_);
}

void WxSettingsWindows::setupSound() {
  zrv::setupSound(parent_, ctx_, parts_.services, parts_.sound);
  settingsChanged(ctx_);
}

}  // namespace zrv
