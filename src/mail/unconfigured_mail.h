// The mail dispatch of a program without a mail transport: every mail is refused with a logbook
// line, so that a mailed appointment is still dealt with and the user can see why no mail came.
#pragma once

#include "ports/mail_port.h"

namespace zrv {

class Logbook;

inline constexpr int kMailNotConfigured = 1;  // result: no transport, nothing sent

class UnconfiguredMailDispatch : public MailDispatch {
 public:
  explicit UnconfiguredMailDispatch(Logbook& log) : log_(log) {}
  // Logs ("MailSupport", "Mailversand nicht eingerichtet - keine Mail an <recipient>") and
  // returns kMailNotConfigured.
  int send(const MailRequest& request) override;

 private:
  Logbook& log_;
};

}  // namespace zrv
