// The mail account of section "MailSupport" as the reminder reads it, and whether mail is set
// up at all (ZRVSMTPOK).
#pragma once

#include "reminder/appointment_mail.h"

namespace zrv {

struct Context;

// "Name", "Reply", "SMTP", "User" and "Pass" of the settings file in use, each empty when
// missing and cut to 100 characters.
MailAccount readMailAccount(const Context& ctx);

// True only when none of the five values is empty.
bool zrvSmtpOk(const Context& ctx);

}  // namespace zrv
