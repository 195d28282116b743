// How the reminder hands a mail to the mail dispatch: the dispatch chooses the account and sends
// through the transport. Texts are UTF-8.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zrv {

struct MailRequest {
  std::string subject;
  std::filesystem::path bodyFile;        // the body as written on disk (Windows-1252)
  std::string senderName;                // may be empty
  std::string replyTo;                   // sender's own address; may be empty
  std::string recipient;                 // may be empty (the dispatch decides)
  std::vector<std::string> attachments;  // paths of files to attach
};

inline constexpr int kMailSent = 0;

class MailDispatch {
 public:
  virtual ~MailDispatch() = default;
  // Sends one mail; kMailSent when it went out, otherwise the transport's error code. The
  // dispatch reports a failure to the user itself.
  virtual int send(const MailRequest& request) = 0;
};

}  // namespace zrv
