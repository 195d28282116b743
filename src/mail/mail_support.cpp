#include "mail/mail_support.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "app/context.h"
#include "app/maker.h"
#include "app/run_files.h"
#include "app/setting_keys.h"
#include "app/settings_file.h"
#include "mail/mail_settings.h"
#include "mail/send_mail.h"
#include "ports/user_interface.h"
#include "store/base/ascii_case.h"
#include "store/base/codepage.h"
#include "store/base/file_names.h"
#include "store/base/logbook.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

constexpr const char* kPlace = "MailSupport";

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::size_t charCount(const std::string& utf8) {
  std::size_t n = 0;
  for (char c : utf8)
    n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

// Removes a file when the scope ends, on every way out.
class FileRemover {
 public:
  explicit FileRemover(fs::path p) : path_(std::move(p)) {}
  ~FileRemover() {
    std::error_code ec;
    fs::remove(path_, ec);
  }
  FileRemover(const FileRemover&) = delete;
  FileRemover& operator=(const FileRemover&) = delete;

 private:
  fs::path path_;
};

std::string readBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool writeBytes(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << bytes;
  out.flush();
  return static_cast<bool>(out);
}

// Server, account and password of a mail.
struct Route {
  std::string from, server, user, password;
};

// The route of an error report: the support account of this build, else the user's own
// account; nothing when neither exists. The support account never carries the user's mails.
std::optional<Route> errorReportRoute(const MailAccount& user, const std::string& sender) {
  const SupportAccount& support = supportAccount();
  if (support.usable()) {
    return Route{support.sender, support.server, support.sender, support.password};
  }
  if (trimmed(user.SMTP).empty() || trimmed(sender).empty()) return std::nullopt;
  return Route{sender, user.SMTP, user.User, user.Pass};
}

void tellWhereTheReportLies(Context& ctx, const fs::path& report) {
  ctx.log.log(kPlace, "Kein Email-Konto für den Fehlerbericht eingerichtet");
  ctx.ui.message("Problem",
                 "Der Fehlerbericht kann nicht versandt werden: es ist kein Email-Konto "
                 "eingerichtet.\nSie finden den Bericht in der Datei:\n" +
                     report.string());
}

// The recipient: "SendTo" when the settings hold one (it redirects every mail; the program
// never writes it), else the caller's, else the support address.
std::string recipientOf(const SettingsFile& ini, const MailRequest& r) {
  std::string recipient = trimmed(ini.text(keys::MailSendTo, ""));
  if (recipient.empty()) recipient = trimmed(r.recipient);
  if (recipient.empty()) recipient = supportAccount().address;
  return recipient;
}

// The sender's name and address from the settings, the caller's as defaults. An error report
// without either asks for them (MAILSETUP); false when the user declined.
bool findSender(MailEnv& env, const SettingsFile& ini, const MailRequest& r, bool errorReport,
                SenderEntry& sender) {
  auto read = [&] {
    sender = {upTo100(ini.text(keys::MailName, r.senderName)),
              upTo100(ini.text(keys::MailReply, r.replyTo))};
  };
  auto none = [&] { return trimmed(sender.name).empty() && trimmed(sender.address).empty(); };
  read();
  bool entered = true;
  if (none() && errorReport) {
    entered = mailSetup(env, r.subject);
    read();
  }
  if (none() && !(r.senderName.empty() && r.replyTo.empty())) {
    sender = {r.senderName, r.replyTo};
    (void)ini.setText(keys::MailName, sender.name);
    (void)ini.setText(keys::MailReply, sender.address);
  }
  return entered;
}

// Writes the body actually sent, the caller's file with one blank appended (one blank alone
// when the file is missing), hands the mail to SENDMAIL and removes the file again.
int sendWithBody(MailEnv& env, const MailRequest& r, const Route& route,
                 const std::string& recipient, const SenderEntry& sender) {
  Context& ctx = env.ctx;
  const fs::path sendFile = runFile(ctx, kSendMailFile);
  const FileRemover removeAfterwards(sendFile);
  if (!writeBytes(sendFile, readBytes(r.bodyFile) + " ")) {
    ctx.log.log(kPlace, std::string(kSendMailFile) + " kann nicht geschrieben werden");
    reportMailFailure(ctx, kSendMailNotWritten);
    return kSendMailNotWritten;
  }
  const MailFields mail{route.from,          route.server,      recipient,
                        r.subject,           sendFile.string(), r.attachments,
                        route.user,          route.password,    trimmed(sender.address),
                        trimmed(sender.name)};
  return sendMail(env, mail);
}

}  // namespace

int mailSupport(MailEnv& env, const MailRequest& r) {
  Context& ctx = env.ctx;
  const SettingsFile ini = settingsFile(ctx);
  const std::string bodyName = asciiUpper(r.bodyFile.filename().string());
  const bool userMail = bodyName == "EMAIL.TXT";
  const MailAccount account = readMailAccount(ctx);
  const std::string recipient = recipientOf(ini, r);
  SenderEntry sender;
  if (!findSender(env, ini, r, bodyName == "ERROR.LOG", sender)) {
    ctx.ui.message("Problem",
                   "Es kann keine Email ohne Absender versandt werden!\n"
                   "Geben Sie zuerst in den Einstellungen Ihre Email-Daten ein!");
    return kNoSender;
  }
  const std::string& reply = sender.address;

  Route route{reply, account.SMTP, account.User, account.Pass};
  if (!userMail) {
    const std::optional<Route> report = errorReportRoute(account, reply);
    if (!report || recipient.empty()) {
      tellWhereTheReportLies(ctx, fs::absolute(r.bodyFile));
      return kNoRoute;
    }
    route = *report;
  }

  if (trimmed(ini.text(keys::MailOnline)) != "1" &&
      !ctx.ui.ask("Zorvane - Mailversand", "Haben Sie eine Internet-Verbindung hergestellt ?",
                  true)) {
    ctx.log.log(kPlace, "Keine Internet-Verbindung - keine Mail an " + recipient);
    return kNotOnline;
  }

  return sendWithBody(env, r, route, recipient, sender);
}

bool mailSetup(MailEnv& env, const std::string& subject) {
  Context& ctx = env.ctx;
  const SettingsFile ini = settingsFile(ctx);
  SenderEntry entry{upTo100(ini.text(keys::MailName)), upTo100(ini.text(keys::MailReply))};
  if (!trimmed(entry.name).empty() && !trimmed(entry.address).empty()) return false;
  const std::string header =
      ctx.CRELEASE + " möchte eine Email zum Thema '" + subject + "' versenden.";
  for (;;) {
    const std::optional<SenderEntry> answer = env.senderDialog.ask(header, entry);
    if (!answer) return false;
    entry = *answer;
    const std::string name = trimmed(entry.name);
    const std::string address = trimmed(entry.address);
    if (name.find(' ') == std::string::npos || address.find('@') == std::string::npos) {
      ctx.ui.message("Problem", "Falscher Name oder falsche Email-Adresse !");
    } else if (charCount(name) < 5 || charCount(address) < 5) {
      ctx.ui.message("Problem", "Sie müssen einen Namen und eine Email-Adresse eingeben !");
    } else {
      return ini.setText(keys::MailName, name) && ini.setText(keys::MailReply, address);
    }
  }
}

int sendTestMail(MailEnv& env, const MailSettingsCopy& copy) {
  Context& ctx = env.ctx;
  (void)saveMailSupport(ctx, copy);
  const MailAccount& m = copy.account;
  const fs::path body = runFile(ctx, "Email.txt");
  const FileRemover removeAfterwards(body);
  const std::string text = "Test-Email an: " + m.Name + "\rAbsender: " + m.Reply +
                           "\rMailserver: " + m.SMTP + "\rBenutzer: " + m.User;
  if (!writeBytes(body, utf8ToCp1252(text))) {
    ctx.log.log(kPlace, "Email.txt kann nicht geschrieben werden");
    reportMailFailure(ctx, kSendMailNotWritten);
    return kSendMailNotWritten;
  }
  return mailSupport(
      env, MailRequest{ctx.CRELEASE + " - TestEmail", body, m.Name, m.Reply, m.Reply, {}});
}

}  // namespace zrv
