#include "app/setting_keys.h"

#include <array>

namespace zrv {

std::span<const SettingKey> allSettingKeys() {
  using namespace keys;
  static constexpr std::array kAll{
      FILENAME, Product,    AStart,       AsIcon,     InTray,   Timer,     Today,    LastOn,
      AlarmOn,  Network,    UpdateServer, Top,        Left,     Bottom,    Right,    Height,
      Width,    LastUpSize, Errors,       LOGBUCH,    SHOWLOG,  SHOWOLD,   NACHMIN,  AUTOMIN,
      WakeUp,   WakeUpMin,  SLOESCH,      VWORIG,     WEEKSHOW, LANACTUAL, SUMMARY,  NAME,
      FILE,     MailName,   MailReply,    MailSendTo, MailSMTP, MailUser,  MailPass, MailOnline};
  return kAll;
}

}  // namespace zrv
