// SENDMAIL: hands one mail to the transport on a thread of its own, with the wait cursor and
// "Email versenden ..." in the message bar meanwhile, and tells the user when it failed.
#pragma once

#include "mail/mail_fields.h"

namespace zrv {

struct Context;
struct MailEnv;

inline constexpr const char* kSendingText = "Email versenden ...";
// The message bar after a mail: the list's hint, which it showed before.
inline constexpr const char* kAfterSendingText = "Rechte Maustaste für Menü";

// Logs the command line (password masked), sends, and on a non-zero code shows the "Problem"
// alert with the code. Returns the transport's code (0: sent).
int sendMail(MailEnv& env, const MailFields& mail);

// The "Problem" alert of a mail that did not go out, with its code.
void reportMailFailure(Context& ctx, int code);

}  // namespace zrv
