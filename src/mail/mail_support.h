// MAILSUPPORT, the one way a mail leaves the program: it chooses account, sender and recipient,
// asks whether the computer is online, writes the body actually sent ("SendMail.txt") and hands
// the mail to SENDMAIL. Also the sender dialog's rules (MAILSETUP) and the test mail.
#pragma once

#include <string>

#include "mail/mail_env.h"
#include "ports/mail_port.h"

namespace zrv {

struct MailSettingsCopy;

// Results beside the transport's codes: the mail did not go out because ...
inline constexpr int kNoSender = 206;   // ... an error report has no sender
inline constexpr int kNotOnline = 207;  // ... the user said the computer is not online
inline constexpr int kNoRoute = 208;    // ... an error report has no account or no recipient
inline constexpr int kSendMailNotWritten = 209;  // ... "SendMail.txt" could not be written

inline constexpr const char* kSendMailFile = "SendMail.txt";

// Sends one mail as MAILSUPPORT does and returns 0 when it went out, else the code. A mail
// whose body file is "Email.txt" (any case) is the user's and goes through the user's own
// account; any other (the error report "Error.log") goes through the maker's support account
// when this build has one, else through the user's account, else the user is told where the
// report lies.
int mailSupport(MailEnv& env, const MailRequest& request);

// MAILSETUP: when the settings hold no sender name or no address, asks for both until they are
// plausible (a name of two words, an address with "@", each at least five characters) and
// saves them. True when a sender was entered and saved.
bool mailSetup(MailEnv& env, const std::string& subject);

// The test mail of the settings dialog: saves the six mail settings, writes "Email.txt"
// describing the account and mails it to the sender's own address. The result of mailSupport.
int sendTestMail(MailEnv& env, const MailSettingsCopy& copy);

// The program's mail dispatch: every mail through mailSupport.
class MailSupport : public MailDispatch {
 public:
  explicit MailSupport(MailEnv env) : env_(env) {}
  int send(const MailRequest& request) override { return mailSupport(env_, request); }
  // For the other senders of mail (the settings dialog's test mail, the error report).
  MailEnv& env() { return env_; }

 private:
  MailEnv env_;
};

}  // namespace zrv
