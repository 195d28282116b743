#include "update/http_fetch.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>
#include <system_error>

#include "platform/curl_library.h"
#include "store/base/file_io.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

constexpr long kBlock = 1024;

struct CurlCleanup {
  const CurlLibrary* lib;
  void operator()(CURL* c) const { lib->easyCleanup(c); }
};
struct ListCleanup {
  const CurlLibrary* lib;
  void operator()(curl_slist* l) const { lib->slistFreeAll(l); }
};

bool success(long code) {
  return code >= 200 && code <= 299;
}

// The body's way into the file, block by block.
struct Sink {
  const CurlLibrary& lib;
  CURL* curl;
  std::FILE* file;
  FetchProgress& progress;
  std::uint64_t maxBytes;
  std::int64_t total = 0;
  bool checked = false;
  bool failed = false;
};

std::size_t writeBody(char* data, std::size_t size, std::size_t count, void* user) {
  auto* sink = static_cast<Sink*>(user);
  const std::size_t n = size * count;
  if (!sink->checked) {
    // Neither an error page nor a body of unknown length goes into the file.
    sink->checked = true;
    if (!success(responseCode(sink->lib, sink->curl))) return 0;
    if (contentLength(sink->lib, sink->curl) < 0) return 0;
  }
  if (static_cast<std::uint64_t>(sink->total) + n > sink->maxBytes) return 0;
  if (std::fwrite(data, 1, n, sink->file) != n) {
    sink->failed = true;
    return 0;
  }
  sink->total += static_cast<std::int64_t>(n);
  sink->progress.received(sink->total);
  return n;
}

std::size_t readHeader(char* data, std::size_t size, std::size_t count, void* user) {
  const std::string line(data, size * count);
  if (line.starts_with("HTTP/")) {
    *static_cast<std::string*>(user) = line.substr(0, line.find_first_of("\r\n"));
  }
  return size * count;
}

// Whether the connection stands (with TLS, once its handshake is done).
bool connectionMade(const CurlLibrary& lib, CURL* curl, bool tls) {
  curl_off_t micros = 0;
  const CURLINFO what = tls ? CURLINFO_APPCONNECT_TIME_T : CURLINFO_CONNECT_TIME_T;
  return lib.easyGetinfo(curl, what, &micros) == CURLE_OK && micros > 0;
}

struct Watch {
  const CurlLibrary& lib;
  CURL* curl;
  bool tls;
  FetchProgress& progress;
};

int watchTransfer(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* watch = static_cast<Watch*>(user);
  if (!watch->progress.isConnected() && connectionMade(watch->lib, watch->curl, watch->tls)) {
    watch->progress.connected();
  }
  return 0;
}

FetchOutcome outcomeOf(CURLcode rc, long code, const Sink& sink, bool connected) {
  if (rc == CURLE_OK && success(code)) {
    return sink.total < kLeastBytes ? FetchOutcome::TooShort : FetchOutcome::Received;
  }
  if (code >= 100 && !success(code)) return FetchOutcome::Refused;
  return connected ? FetchOutcome::Broken : FetchOutcome::NoConnection;
}

using Headers = std::unique_ptr<curl_slist, ListCleanup>;

// The request's own lines beside the GET line and Host: "Connection: close", and no Accept line.
Headers requestHeaders(const CurlLibrary& lib) {
  Headers headers(lib.slistAppend(nullptr, "Connection: close"), ListCleanup{&lib});
  if (headers && !lib.slistAppend(headers.get(), "Accept:")) headers.reset();
  return headers;
}

struct Transfer {
  const std::string& url;
  bool tls;
  const FetchOptions& options;
  curl_slist* headers;
  Sink& sink;
  Watch& watch;
  std::string& statusLine;
};

void setOptions(const CurlLibrary& lib, CURL* c, const Transfer& t) {
  const long pauseMs = static_cast<long>(t.options.pause.count());
  lib.easySetopt(c, CURLOPT_URL, t.url.c_str());
  lib.easySetopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  lib.easySetopt(c, CURLOPT_FOLLOWLOCATION, 0L);
  lib.easySetopt(c, CURLOPT_NOSIGNAL, 1L);
  lib.easySetopt(c, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  lib.easySetopt(c, CURLOPT_HTTPHEADER, t.headers);
  if (!t.tls) lib.easySetopt(c, CURLOPT_NOPROXY, "*");  // plain HTTP goes to this machine only
  if (!t.options.caFile.empty()) lib.easySetopt(c, CURLOPT_CAINFO, t.options.caFile.c_str());
  lib.easySetopt(c, CURLOPT_CONNECTTIMEOUT_MS, pauseMs);
  lib.easySetopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
  lib.easySetopt(c, CURLOPT_LOW_SPEED_TIME, std::max(1L, pauseMs / 1000));
  lib.easySetopt(c, CURLOPT_BUFFERSIZE, kBlock);
  lib.easySetopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(t.options.maxBytes));
  lib.easySetopt(c, CURLOPT_HEADERFUNCTION, readHeader);
  lib.easySetopt(c, CURLOPT_HEADERDATA, &t.statusLine);
  lib.easySetopt(c, CURLOPT_WRITEFUNCTION, writeBody);
  lib.easySetopt(c, CURLOPT_WRITEDATA, &t.sink);
  lib.easySetopt(c, CURLOPT_NOPROGRESS, 0L);
  lib.easySetopt(c, CURLOPT_XFERINFOFUNCTION, watchTransfer);
  lib.easySetopt(c, CURLOPT_XFERINFODATA, &t.watch);
}

bool isTls(const std::string& url) {
  std::string scheme = url.substr(0, url.find(':'));
  for (char& ch : scheme)
    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return scheme == "https";
}

}  // namespace

FetchResult fetchToFile(const std::string& url, const fs::path& file, const FetchOptions& options,
                        FetchProgress& progress) {
  FetchResult result;
  std::error_code ec;
  fs::remove(file, ec);
  // Made anew and exclusively: whatever stands in its place (a link) is not followed.
  UniqueFile out = openFile(file, "wbx");
  if (!out) {
    result.outcome = FetchOutcome::CannotSave;
    return result;
  }
  const CurlLibrary* lib = curlLibrary();
  std::unique_ptr<CURL, CurlCleanup> curl(lib ? lib->easyInit() : nullptr, CurlCleanup{lib});
  const Headers headers = curl ? requestHeaders(*lib) : Headers(nullptr, ListCleanup{lib});
  if (!headers) {  // no transfer possible: as if nothing answered
    out.reset();
    fs::remove(file, ec);
    result.curlCode = -1;
    return result;
  }
  CURL* c = curl.get();
  const bool tls = isTls(url);
  Sink sink{*lib, c, out.get(), progress, options.maxBytes};
  Watch watch{*lib, c, tls, progress};
  setOptions(*lib, c, Transfer{url, tls, options, headers.get(), sink, watch, result.statusLine});
  const CURLcode rc = lib->easyPerform(c);
  const bool closed = std::fclose(out.release()) == 0;
  const bool connected = connectionMade(*lib, c, tls);
  if (connected) progress.connected();
  result.curlCode = static_cast<int>(rc);
  result.bytes = sink.total;
  result.outcome = outcomeOf(rc, responseCode(*lib, c), sink, connected);
  if (result.outcome == FetchOutcome::Received && (!closed || sink.failed)) {
    result.outcome = FetchOutcome::Broken;
  }
  if (result.outcome != FetchOutcome::Received) fs::remove(file, ec);
  return result;
}

}  // namespace zrv
