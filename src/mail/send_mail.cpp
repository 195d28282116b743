#include "mail/send_mail.h"

#include <string>

#include "app/busy_cursor.h"
#include "app/context.h"
#include "mail/mail_env.h"
#include "mail/mail_transport.h"
#include "mail/send_mail_command.h"
#include "platform/off_thread.h"
#include "store/base/logbook.h"

namespace zrv {

int sendMail(MailEnv& env, const MailFields& mail) {
  Context& ctx = env.ctx;
  ctx.log.log("SendMail", loggedCommandLine(mail));
  int code = 0;
  {
    const BusyCursor busy(ctx.ui);
    ctx.ui.statusText(kSendingText);
    // The thread gets its own copy of the fields: the window thread goes on painting meanwhile.
    MailTransport& transport = env.transport;
    code = runOffThread([&transport, mail] { return transport.send(mail); }, env.wait);
    ctx.ui.statusText(kAfterSendingText);
  }
  if (code != kTransportSent) {
    ctx.log.log("SendMail", "Email nicht versandt, Fehlercode: " + std::to_string(code));
    reportMailFailure(ctx, code);
  }
  return code;
}

void reportMailFailure(Context& ctx, int code) {
  ctx.ui.message("Problem",
                 "Die Email konnte nicht versandt werden !\n"
                 "Prüfen Sie Ihre Email-Daten in den Einstellungen !\n"
                 "Fehlercode: " +
                     std::to_string(code));
}

}  // namespace zrv
