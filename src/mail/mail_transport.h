// How a mail leaves the program: a transport takes the fields of one mail and reports 0 when
// the server accepted it, otherwise an error code (see the README's table of codes).
#pragma once

#include "mail/mail_fields.h"

namespace zrv {

inline constexpr int kTransportSent = 0;
// Codes 1 to 99 are libcurl's error numbers (7 no connection, 28 time-out, 67 login refused ...);
// the transport's own codes lie above them.
inline constexpr int kBodyUnreadable = 201;        // the body file cannot be read
inline constexpr int kAttachmentUnreadable = 202;  // an attachment cannot be read
inline constexpr int kNoServer = 203;              // no SMTP server given
inline constexpr int kNoRecipient = 204;           // no recipient or no sender address given
inline constexpr int kTransportUnavailable = 205;  // the SMTP library could not be started

class MailTransport {
 public:
  virtual ~MailTransport() = default;
  // Sends one mail and returns its code. May run on a thread other than the window thread: it
  // touches nothing but its arguments and the files they name.
  virtual int send(const MailFields& mail) = 0;
};

}  // namespace zrv
