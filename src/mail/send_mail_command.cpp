#include "mail/send_mail_command.h"

namespace zrv {
namespace {

std::string commandLine(const MailFields& m, const std::string& password) {
  std::string line = "SndMail";
  line += " -f " + m.from;
  line += " -X " + m.server;
  line += " -r " + m.to;
  line += " -s \"" + m.subject + "\"";
  line += " -b " + m.bodyFile;
  line += " -u " + m.user;
  line += " -p " + password;
  line += " -h LOGIN";
  line += " -R " + m.reply;
  line += " -F \"" + m.name + " <" + m.from + ">\"";
  for (const std::string& file : m.attachments)
    line += " -a \"" + file + "\"";
  return line;
}

}  // namespace

std::string sendMailCommandLine(const MailFields& mail) {
  return commandLine(mail, mail.password);
}

std::string loggedCommandLine(const MailFields& mail) {
  return commandLine(mail, "****");
}

}  // namespace zrv
