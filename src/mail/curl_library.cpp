#include "mail/curl_library.h"

#include <dlfcn.h>

#include <mutex>

namespace zrv {
namespace {

template <typename F>
bool resolve(void* handle, const char* name, F& out) {
  out = reinterpret_cast<F>(dlsym(handle, name));
  return out != nullptr;
}

const CurlLibrary* load() {
  // The handle stays open for the run: the library keeps global state once started.
  void* handle = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
  if (!handle) return nullptr;
  static CurlLibrary lib{};
  CURLcode (*globalInit)(long) = nullptr;
  const bool complete = resolve(handle, "curl_global_init", globalInit) &&
                        resolve(handle, "curl_easy_init", lib.easyInit) &&
                        resolve(handle, "curl_easy_setopt", lib.easySetopt) &&
                        resolve(handle, "curl_easy_perform", lib.easyPerform) &&
                        resolve(handle, "curl_easy_cleanup", lib.easyCleanup) &&
                        resolve(handle, "curl_slist_append", lib.slistAppend) &&
                        resolve(handle, "curl_slist_free_all", lib.slistFreeAll);
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

}  // namespace zrv
