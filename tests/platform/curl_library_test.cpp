// libcurl as a download uses it: loaded at the first transfer, it fetches files over HTTP from a
// local server and tells the response code and the length the server announced.
#include "platform/curl_library.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "support/process.h"
#include "support/test_dir.h"

namespace zrv {
namespace {
using namespace std::chrono_literals;

// Python's HTTP server on 127.0.0.1 over `dir`; it writes the port it got beside the files.
const char* kServer =
    "import functools, http.server, os, sys\n"
    "handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[1])\n"
    "server = http.server.HTTPServer(('127.0.0.1', 0), handler)\n"
    "open(sys.argv[2] + '.new', 'w').write(str(server.server_port))\n"
    "os.rename(sys.argv[2] + '.new', sys.argv[2])\n"
    "server.serve_forever()\n";

std::size_t collect(char* data, std::size_t size, std::size_t count, void* body) {
  static_cast<std::string*>(body)->append(data, size * count);
  return size * count;
}

struct Download {
  CURLcode result = CURLE_OK;
  long code = 0;
  curl_off_t length = 0;
  std::string body;
};

Download get(const CurlLibrary& lib, const std::string& url) {
  Download d;
  std::unique_ptr<CURL, void (*)(CURL*)> curl(lib.easyInit(), lib.easyCleanup);
  lib.easySetopt(curl.get(), CURLOPT_URL, url.c_str());
  lib.easySetopt(curl.get(), CURLOPT_NOPROXY, "*");
  lib.easySetopt(curl.get(), CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  lib.easySetopt(curl.get(), CURLOPT_TIMEOUT, 5L);
  lib.easySetopt(curl.get(), CURLOPT_WRITEFUNCTION, collect);
  lib.easySetopt(curl.get(), CURLOPT_WRITEDATA, &d.body);
  d.result = lib.easyPerform(curl.get());
  d.code = responseCode(lib, curl.get());
  d.length = contentLength(lib, curl.get());
  return d;
}

TEST(CurlLibrary, ADownloadTellsItsResponseCodeAndAnnouncedLength) {
  test::TestDir dir;
  dir.write("Zorvane.xml", std::string(3000, 'x'));
  test::Process server(
      {"/usr/bin/python3", "-c", kServer, dir.path().string(), (dir / "port").string()});
  ASSERT_TRUE(test::waitUntil([&] { return std::filesystem::exists(dir / "port"); }, 30s));
  const std::string base = "http://127.0.0.1:" + dir.read("port") + "/";

  const CurlLibrary* lib = curlLibrary();
  ASSERT_NE(lib, nullptr);
  const Download found = get(*lib, base + "Zorvane.xml");
  EXPECT_EQ(found.result, CURLE_OK);
  EXPECT_EQ(found.code, 200);
  EXPECT_EQ(found.length, 3000);
  EXPECT_EQ(found.body.size(), 3000u);
  EXPECT_EQ(get(*lib, base + "fehlt.xml").code, 404);
}

}  // namespace
}  // namespace zrv
