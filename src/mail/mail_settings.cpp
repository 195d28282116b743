#include "mail/mail_settings.h"

#include "app/setting_keys.h"
#include "app/settings_file.h"

namespace zrv {
namespace {

constexpr std::size_t kMaxChars = 100;

bool blank(const std::string& text) {
  return text.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

std::string upTo100(const std::string& text) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // A byte 10xxxxxx continues a character; every other byte starts one.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && chars++ == kMaxChars) {
      return text.substr(0, i);
    }
  }
  return text;
}

bool zrvSmtpOk(const MailAccount& m) {
  return !blank(m.Name) && !blank(m.Reply) && !blank(m.SMTP) && !blank(m.User) && !blank(m.Pass);
}

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

bool saveMailSupport(const Context& ctx, const MailSettingsCopy& copy) {
  const SettingsFile ini = settingsFile(ctx);
  const MailAccount& m = copy.account;
  return ini.setText(keys::MailName, m.Name) && ini.setText(keys::MailReply, m.Reply) &&
         ini.setText(keys::MailSMTP, m.SMTP) && ini.setText(keys::MailUser, m.User) &&
         ini.setText(keys::MailPass, m.Pass) && ini.setFlag(keys::MailOnline, copy.LM_ONLINE);
}

}  // namespace zrv
