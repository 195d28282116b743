#include "platform/curl_library.h"

#include <linux/sockios.h>
#include <sys/ioctl.h>

#include <mutex>

#include "store/base/shared_library.h"

namespace zrv {
namespace {

const CurlLibrary* load() {
  static SharedLibrary library;  // open for the rest of the run
  if (!library.open("libcurl.so.4")) return nullptr;
  static CurlLibrary lib{};
  CURLcode (*globalInit)(long) = nullptr;
  const bool complete = library.resolve("curl_global_init", globalInit) &&
                        library.resolve("curl_easy_init", lib.easyInit) &&
                        library.resolve("curl_easy_setopt", lib.easySetopt) &&
                        library.resolve("curl_easy_perform", lib.easyPerform) &&
                        library.resolve("curl_easy_getinfo", lib.easyGetinfo) &&
                        library.resolve("curl_easy_cleanup", lib.easyCleanup) &&
                        library.resolve("curl_slist_append", lib.slistAppend) &&
                        library.resolve("curl_slist_free_all", lib.slistFreeAll);
  if (!complete || globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK) return nullptr;
  return &lib;
}

}  // namespace

const CurlLibrary* curlLibrary() {
  static std::once_flag once;
  static const CurlLibrary* lib = nullptr;
  std::call_once(once, [] { lib = load(); });
  return lib;
}

long responseCode(const CurlLibrary& lib, CURL* curl) {
  long code = 0;
  if (lib.easyGetinfo(curl, CURLINFO_RESPONSE_CODE, &code) != CURLE_OK) return 0;
  return code;
}

curl_off_t contentLength(const CurlLibrary& lib, CURL* curl) {
  curl_off_t length = -1;
  if (lib.easyGetinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK) return -1;
  return length;
}

long unsentBytes(curl_socket_t socket) {
  int queued = 0;
  if (socket == CURL_SOCKET_BAD || ::ioctl(socket, SIOCOUTQ, &queued) != 0) return -1;
  return queued;
}

}  // namespace zrv
