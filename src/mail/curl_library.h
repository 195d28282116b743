// libcurl loaded at the first mail rather than linked: the library and the TLS, Kerberos and LDAP
// libraries behind it cost several megabytes and part of the start-up time of every run.
#pragma once

#include <curl/curl.h>

namespace zrv {

// The few libcurl functions the SMTP transport uses.
struct CurlLibrary {
  CURL* (*easyInit)();
  CURLcode (*easySetopt)(CURL*, CURLoption, ...);
  CURLcode (*easyPerform)(CURL*);
  void (*easyCleanup)(CURL*);
  curl_slist* (*slistAppend)(curl_slist*, const char*);
  void (*slistFreeAll)(curl_slist*);
};

// libcurl loaded and started once (whichever thread asks first); null when it is missing or
// does not start, for the rest of the run.
const CurlLibrary* curlLibrary();

}  // namespace zrv
