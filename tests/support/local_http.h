// A real HTTP server on 127.0.0.1 for the update tests (tests/update/http_server.py on the
// standard library's http.server): it serves the files of its folder, logs every request, and
// answers a few paths badly on purpose; HTTPS with a certificate of a throw-away authority made
// here, or a server that accepts connections and stays silent. Ended when the object goes out
// of scope.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/test_dir.h"

namespace zrv::test {

struct LocalHttpOptions {
  bool tls = false;     // HTTPS with a certificate for "localhost" only
  bool silent = false;  // accepts and never answers
  int rate = 0;         // bytes a second it sends a file at; 0: at once
};

class LocalHttp {
 public:
  explicit LocalHttp(LocalHttpOptions options = {});
  bool ready() const { return port_ > 0; }
  const std::string& whyNotReady() const { return why_; }
  int port() const { return port_; }
  // "http://127.0.0.1:<port>", or "https://localhost:<port>" with TLS.
  std::string address() const;
  // The authority that signed the server's certificate (with tls).
  std::filesystem::path caFile() const { return dir_ / "ca.pem"; }

  // Puts `bytes` at `path` of the server ("Downloads/Zorvane.xml"), or takes it away.
  void put(const std::string& path, const std::string& bytes) const;
  void remove(const std::string& path) const;
  // The request lines received so far ("GET /Downloads/Zorvane.xml HTTP/1.0").
  std::vector<std::string> requests() const;

 private:
  bool makeCertificates();

  LocalHttpOptions options_;
  TestDir dir_;
  std::unique_ptr<Process> server_;
  int port_ = 0;
  std::string why_;
};

}  // namespace zrv::test
