#include "support/local_http.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zrv::test {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

LocalHttp::LocalHttp(LocalHttpOptions options) : options_(options) {
  fs::create_directory(dir_ / "root");
  std::vector<std::string> argv{"/usr/bin/python3",
                                sourceDir() + "/tests/update/http_server.py",
                                "--dir",
                                (dir_ / "root").string(),
                                "--port-file",
                                (dir_ / "port").string(),
                                "--log",
                                (dir_ / "requests.log").string()};
  if (options_.tls) {
    if (!makeCertificates()) return;
    argv.insert(argv.end(),
                {"--cert", (dir_ / "cert.pem").string(), "--key", (dir_ / "key.pem").string()});
  }
  if (options_.silent) argv.push_back("--silent");
  if (options_.rate > 0) argv.insert(argv.end(), {"--rate", std::to_string(options_.rate)});
  LocalServer started = startLocalServer(argv, dir_.path(), "HTTP");
  server_ = std::move(started.process);
  port_ = started.port;
  why_ = std::move(started.why);
}

// A throw-away authority and a certificate it signs for the name "localhost" alone.
bool LocalHttp::makeCertificates() {
  const std::vector<std::string> ec{"-newkey", "ec",    "-pkeyopt", "ec_paramgen_curve:prime256v1",
                                    "-nodes",  "-days", "1"};
  std::vector<std::string> ca{"openssl", "req", "-x509"};
  ca.insert(ca.end(), ec.begin(), ec.end());
  ca.insert(ca.end(), {"-subj", "/CN=Zorvane Test CA", "-keyout", (dir_ / "ca.key").string(),
                       "-out", caFile().string()});
  std::vector<std::string> server{"openssl", "req", "-x509"};
  server.insert(server.end(), ec.begin(), ec.end());
  server.insert(server.end(), {"-subj", "/CN=localhost", "-addext", "subjectAltName=DNS:localhost",
                               "-addext", "basicConstraints=critical,CA:FALSE", "-CA",
                               caFile().string(), "-CAkey", (dir_ / "ca.key").string(), "-keyout",
                               (dir_ / "key.pem").string(), "-out", (dir_ / "cert.pem").string()});
  for (const auto& argv : {ca, server}) {
    const RunResult made = run(argv, {}, 60s);
    if (made.status != 0) {
      why_ = "openssl could not make a certificate: " + made.output;
      return false;
    }
  }
  return true;
}

std::string LocalHttp::address() const {
  return (options_.tls ? "https://localhost:" : "http://127.0.0.1:") + std::to_string(port_);
}

void LocalHttp::put(const std::string& path, const std::string& bytes) const {
  const fs::path file = dir_ / "root" / path;
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

void LocalHttp::remove(const std::string& path) const {
  fs::remove(dir_ / "root" / path);
}

std::vector<std::string> LocalHttp::requests() const {
  std::vector<std::string> lines;
  std::istringstream in(readAll(dir_ / "requests.log"));
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

}  // namespace zrv::test
