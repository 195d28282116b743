#include "reminder/mail_settings.h"

#include "app/setting_keys.h"
#include "app/settings_file.h"
#include "reminder/text_util.h"

namespace zrv {
namespace {

constexpr std::size_t kMaxChars = 100;

std::string upTo100(const std::string& text) {
  return text.substr(0, utf8PrefixBytes(text, kMaxChars));
}

}  // namespace

MailAccount readMailAccount(const Context& ctx) {
  const SettingsFile ini = settingsFile(ctx);
  MailAccount m;
  m.Name = upTo100(ini.text(keys::MailName));
  m.Reply = upTo100(ini.text(keys::MailReply));
  m.SMTP = upTo100(ini.text(keys::MailSMTP));
  m.User = upTo100(ini.text(keys::MailUser));
  m.Pass = upTo100(ini.text(keys::MailPass));
  return m;
}

bool zrvSmtpOk(const Context& ctx) {
  return zrvSmtpOk(readMailAccount(ctx));
}

}  // namespace zrv
