// The download against a real server on 127.0.0.1: only a complete 2xx body with its announced
// length reaches the file, and over HTTPS only from the host the certificate names.
#include <gtest/gtest.h>

#include "support/local_http.h"
#include "support/test_dir.h"
#include "update/http_fetch.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string bytesOf(std::size_t n) {
  std::string out(n, '\0');
  for (std::size_t i = 0; i < n; ++i)
    out[i] = static_cast<char>(i * 7 % 256);
  return out;
}

FetchResult fetch(const std::string& url, const fs::path& file, FetchOptions options = {}) {
  if (options.maxBytes == 0) options.maxBytes = 1 << 20;
  FetchProgress progress;
  return fetchToFile(url, file, options, progress);
}

TEST(UpdateDownload, OnlyACompleteAnswerOfTheServerIsKept) {
  test::LocalHttp server;
  ASSERT_TRUE(server.ready()) << server.whyNotReady();
  test::TestDir local;
  const fs::path file = local / "ZrvUpdate.exe";
  const std::string installer = bytesOf(5000);
  server.put("Downloads/Zorvane.exe", installer);
  server.put("Downloads/Zorvane.xml", "<Program_Version>2.01.00</Program_Version>");

  FetchProgress progress;
  const FetchResult got =
      fetchToFile(server.address() + "/Downloads/Zorvane.exe", file, {1 << 20, 5s, ""}, progress);
  EXPECT_EQ(got.outcome, FetchOutcome::Received);
  EXPECT_EQ(got.statusLine, "HTTP/1.0 200 OK");
  EXPECT_EQ(local.read("ZrvUpdate.exe"), installer);
  EXPECT_TRUE(progress.isConnected());
  EXPECT_EQ(progress.bytes(), 5000);
  EXPECT_EQ(server.requests().at(0), "GET /Downloads/Zorvane.exe HTTP/1.0");

  struct Case {
    std::string path;
    FetchOutcome outcome;
    std::string statusLine;
  };
  const Case cases[] = {
      {"/Downloads/Zorvane.xml", FetchOutcome::TooShort, "HTTP/1.0 200 OK"},  // under 1024
      {"/Downloads/fehlt.exe", FetchOutcome::Refused, "HTTP/1.0 404 Not Found"},
      {"/bad/status-500", FetchOutcome::Refused, "HTTP/1.0 500 Internal Server Error"},
      {"/bad/redirect", FetchOutcome::Refused, "HTTP/1.0 302 Found"},  // not followed
      {"/bad/no-length", FetchOutcome::Broken, "HTTP/1.0 200 OK"},
      {"/bad/short", FetchOutcome::Broken, "HTTP/1.0 200 OK"},
      {"/bad/endless", FetchOutcome::Broken, "HTTP/1.0 200 OK"},  // beyond maxBytes
  };
  for (const Case& c : cases) {
    local.write("ZrvUpdate.exe", "old");
    const FetchResult r = fetch(server.address() + c.path, file, {64 * 1024, 5s, ""});
    EXPECT_EQ(r.outcome, c.outcome) << c.path;
    EXPECT_EQ(r.statusLine, c.statusLine) << c.path;
    EXPECT_FALSE(fs::exists(file)) << c.path;
  }
  EXPECT_EQ(server.requests().size(), 8u);  // the redirect was not followed

  // A link in the file's place is replaced, never written through.
  const fs::path elsewhere = local.write("elsewhere", "keep");
  fs::create_symlink(elsewhere, file);
  EXPECT_EQ(fetch(server.address() + "/Downloads/Zorvane.exe", file).outcome,
            FetchOutcome::Received);
  EXPECT_EQ(local.read("elsewhere"), "keep");
  EXPECT_FALSE(fs::is_symlink(file));

  // No place for the file: nothing is asked of the server.
  EXPECT_EQ(fetch(server.address() + "/Downloads/Zorvane.exe", local / "fehlt" / "x").outcome,
            FetchOutcome::CannotSave);
  EXPECT_EQ(server.requests().size(), 9u);

  // Nothing listens.
  fs::remove(file);
  EXPECT_EQ(fetch("http://127.0.0.1:1/Downloads/Zorvane.exe", file).outcome,
            FetchOutcome::NoConnection);
  EXPECT_FALSE(fs::exists(file));
}

TEST(UpdateDownload, OverHttpsOnlyTheHostTheCertificateNamesIsTrusted) {
  test::LocalHttp server({.tls = true});
  ASSERT_TRUE(server.ready()) << server.whyNotReady();
  test::TestDir local;
  const std::string installer = bytesOf(3000);
  server.put("Downloads/Zorvane.exe", installer);
  const fs::path file = local / "ZrvUpdate.exe";
  const std::string path = "/Downloads/Zorvane.exe";
  const FetchOptions trusting{1 << 20, 5s, server.caFile().string()};

  EXPECT_EQ(fetch(server.address() + path, file, trusting).outcome, FetchOutcome::Received);
  EXPECT_EQ(local.read("ZrvUpdate.exe"), installer);
  // The same server under a name its certificate does not hold.
  const std::string byNumber = "https://127.0.0.1:" + std::to_string(server.port()) + path;
  EXPECT_EQ(fetch(byNumber, file, trusting).outcome, FetchOutcome::NoConnection);
  EXPECT_FALSE(fs::exists(file));
  // An authority nobody vouches for.
  EXPECT_EQ(fetch(server.address() + path, file).outcome, FetchOutcome::NoConnection);
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(server.requests().size(), 1u);
}

}  // namespace
}  // namespace zrv
