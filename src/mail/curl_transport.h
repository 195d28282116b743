// The SMTP transport over libcurl: AUTH LOGIN with the account, STARTTLS whenever the server
// offers it (implicit TLS on port 465), the message of mime_message.h; a server that cannot be
// reached, stays silent or stops taking data is given up after a bound of time.
#pragma once

#include <chrono>
#include <string>

#include "mail/mail_transport.h"

namespace zrv {

struct CurlTransportOptions {
  // The connection (with the server's greeting and the login) and any stretch in which nothing
  // moves either way are given up after this long; an exchange that keeps moving takes as long
  // as it needs.
  std::chrono::milliseconds bound = std::chrono::seconds(20);
  // Certificates to trust instead of the system's (a test's own authority); empty: the system's.
  std::string caFile;
};

// "smtp://host:port" for a server given as "host" or "host:port" (port 25 when none is given),
// "smtps://host:465" for port 465; a server already given as a URL stays as it is.
std::string smtpUrl(const std::string& server);

class CurlMailTransport : public MailTransport {
 public:
  explicit CurlMailTransport(CurlTransportOptions options = {});
  int send(const MailFields& mail) override;

 private:
  CurlTransportOptions options_;
};

}  // namespace zrv
