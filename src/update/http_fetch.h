// One file of the update server fetched into a local file with libcurl, off the window thread:
// an HTTP/1.0 GET with Host and "Connection: close", no redirects, 1024-byte blocks, a bound on
// the connection and on any pause of the data. Only a complete body of a 2xx answer with its
// announced length counts; whatever else came is erased.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

namespace zrv {

// A body shorter than this is no file of the update server.
inline constexpr std::int64_t kLeastBytes = 1024;

struct FetchOptions {
  std::uint64_t maxBytes = 0;                                 // a longer body fails
  std::chrono::milliseconds pause = std::chrono::seconds(5);  // connection, or no data
  std::string caFile;  // certificates to trust instead of the system's (a test's own authority)
};

// What the window thread sees of a fetch that runs on another thread.
class FetchProgress {
 public:
  void connected() { connected_ = true; }
  void received(std::int64_t total) { bytes_ = total; }
  bool isConnected() const { return connected_; }
  std::int64_t bytes() const { return bytes_; }

 private:
  std::atomic<bool> connected_{false};
  std::atomic<std::int64_t> bytes_{0};
};

enum class FetchOutcome {
  Received,      // a complete body of at least kLeastBytes
  NoConnection,  // no connection (nothing listens, no such host, the certificate refused)
  Refused,       // the server answered other than 2xx
  CannotSave,    // the local file cannot be made
  Broken,        // the body broke off, had no or a wrong length, was too long, or paused
  TooShort,      // complete, but fewer than kLeastBytes
};

struct FetchResult {
  FetchOutcome outcome = FetchOutcome::NoConnection;
  std::string statusLine;  // "HTTP/1.0 200 OK"; "" when none came
  std::int64_t bytes = 0;  // of the body
  int curlCode = 0;        // libcurl's result, for the logbook
};

// Fetches `url` into `file` (replacing it; a symbolic link in its place is not followed).
// Blocks until done; meant for runOffThread. Anything but Received leaves no file.
FetchResult fetchToFile(const std::string& url, const std::filesystem::path& file,
                        const FetchOptions& options, FetchProgress& progress);

}  // namespace zrv
