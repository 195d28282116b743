#include "support/local_smtp.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zrv::test {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string ReceivedMail::read(const std::string& name) const {
  return readAll(dir / name);
}

LocalSmtp::LocalSmtp(LocalSmtpOptions options) : options_(std::move(options)) {
  fs::create_directory(dir_ / "mail");
  std::vector<std::string> argv{"/usr/bin/python3",
                                sourceDir() + "/tests/mail/smtp_server.py",
                                "--dir",
                                (dir_ / "mail").string(),
                                "--port-file",
                                (dir_ / "port").string(),
                                "--user",
                                options_.user,
                                "--password",
                                options_.password};
  if (options_.tls) {
    const RunResult cert = run(
        {"openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
         "-nodes", "-days", "1", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
         "-keyout", (dir_ / "key.pem").string(), "-out", caFile().string()},
        {}, 60s);
    if (cert.status != 0) {
      why_ = "openssl could not make a certificate: " + cert.output;
      return;
    }
    argv.insert(argv.end(), {"--cert", caFile().string(), "--key", (dir_ / "key.pem").string()});
  }
  if (options_.silent) argv.push_back("--silent");
  if (options_.stall) argv.push_back("--stall");
  if (options_.rate > 0) argv.insert(argv.end(), {"--rate", std::to_string(options_.rate)});
  LocalServer started = startLocalServer(argv, dir_.path(), "SMTP");
  server_ = std::move(started.process);
  port_ = started.port;
  why_ = std::move(started.why);
}

std::vector<ReceivedMail> LocalSmtp::received() const {
  std::vector<std::pair<int, fs::path>> found;
  for (const auto& e : fs::directory_iterator(dir_ / "mail")) {
    const std::string name = e.path().filename().string();
    if (name.starts_with("msg-")) found.emplace_back(std::atoi(name.c_str() + 4), e.path());
  }
  std::sort(found.begin(), found.end());
  std::vector<ReceivedMail> out;
  for (auto& [n, p] : found)
    out.push_back({p});
  return out;
}

bool LocalSmtp::waitForMessages(std::size_t count, std::chrono::milliseconds timeout) const {
  return waitUntil([&] { return received().size() >= count; }, timeout);
}

}  // namespace zrv::test
