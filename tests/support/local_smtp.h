// A real SMTP server on 127.0.0.1 for the mail tests (tests/mail/smtp_server.py on Debian's
// aiosmtpd): AUTH LOGIN required, STARTTLS with a throw-away certificate on request, a server
// that reads slowly, or one that accepts connections and stays silent. Ended when the object goes
// out of scope.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/test_dir.h"

namespace zrv::test {

struct LocalSmtpOptions {
  std::string user = "zorvane";
  std::string password = "ge heim\"'";  // blanks and quotes must reach the server intact
  bool tls = false;                     // STARTTLS offered, a login only after it
  bool silent = false;                  // accepts and never answers
  bool stall = false;                   // falls silent after the first recipient
  int rate = 0;                         // bytes a second it reads from a client; 0: at once
};

// One received message as the server's independent reader saw it.
struct ReceivedMail {
  std::filesystem::path dir;
  std::string read(const std::string& name) const;  // e.g. "subject.txt", "attach/x.pdf"
};

class LocalSmtp {
 public:
  explicit LocalSmtp(LocalSmtpOptions options = {});
  // Whether the server listens; why not otherwise.
  bool ready() const { return port_ > 0; }
  const std::string& whyNotReady() const { return why_; }
  // "127.0.0.1:<port>", as the settings name a server.
  std::string server() const { return "127.0.0.1:" + std::to_string(port_); }
  int port() const { return port_; }
  // The certificate that signs the server's TLS (with tls).
  std::filesystem::path caFile() const { return dir_ / "cert.pem"; }
  const LocalSmtpOptions& options() const { return options_; }

  // The messages received so far, in order of arrival.
  std::vector<ReceivedMail> received() const;
  // Waits up to `timeout` for at least `count` messages.
  bool waitForMessages(std::size_t count, std::chrono::milliseconds timeout) const;

 private:
  LocalSmtpOptions options_;
  TestDir dir_;
  std::unique_ptr<Process> server_;
  int port_ = 0;
  std::string why_;
};

}  // namespace zrv::test
