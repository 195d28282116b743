// One mail as the transport takes it: the ten values of SENDMAIL, in its order. Texts are UTF-8;
// the body file holds Windows-1252 text.
#pragma once

#include <string>
#include <vector>

namespace zrv {

struct MailFields {
  std::string from;                      // envelope sender, also inside the display sender
  std::string server;                    // SMTP server: a host, optionally ":port"
  std::string to;                        // recipient address
  std::string subject;                   //
  std::string bodyFile;                  // file whose contents form the body
  std::vector<std::string> attachments;  // file names, in order
  std::string user;                      // account name for AUTH LOGIN
  std::string password;                  // never logged
  std::string reply;                     // Reply-To address
  std::string name;                      // sender's display name
};

}  // namespace zrv
