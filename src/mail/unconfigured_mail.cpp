#include "mail/unconfigured_mail.h"

#include <string>

#include "store/base/logbook.h"

namespace zrv {

int UnconfiguredMailDispatch::send(const MailRequest& request) {
  log_.log("MailSupport", "Mailversand nicht eingerichtet - keine Mail an " + request.recipient);
  return kMailNotConfigured;
}

}  // namespace zrv
