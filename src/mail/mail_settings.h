// The mail account of section "MailSupport": reading it, whether mail is set up at all
// (ZRVSMTPOK), and saving the six values the settings dialog edits (SAVEMAILSUPPORT).
#pragma once

#include <string>

namespace zrv {

struct Context;

// The five values of section "MailSupport" that make a usable mail account.
struct MailAccount {
  std::string Name;   // sender's display name
  std::string Reply;  // sender's address
  std::string SMTP;   // server: a host, optionally ":port"
  std::string User;
  std::string Pass;
};

// True only when none of the five values is empty (blanks count as empty).
bool zrvSmtpOk(const MailAccount& account);

// "Name", "Reply", "SMTP", "User" and "Pass" of the settings file in use, each empty when
// missing and cut to 100 characters.
MailAccount readMailAccount(const Context& ctx);

// True only when none of the five values is empty.
bool zrvSmtpOk(const Context& ctx);

// The working copies of the settings dialog's mail page (CM_NAME ... LM_ONLINE).
struct MailSettingsCopy {
  MailAccount account;
  bool LM_ONLINE = false;  // permanently online: no question before sending
};

// Writes "Name", "Reply", "SMTP", "User", "Pass" and "Online" ("1"/"0"). False when the
// settings file could not be written.
bool saveMailSupport(const Context& ctx, const MailSettingsCopy& copy);

// The texts cut to 100 characters (not bytes).
std::string upTo100(const std::string& text);

}  // namespace zrv
