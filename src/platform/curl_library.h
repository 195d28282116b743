// libcurl loaded at the first transfer rather than linked: the library and the TLS, Kerberos and
// LDAP libraries behind it cost several megabytes and part of the start-up time of every run.
// The mail's SMTP transport and the update check's HTTP(S) download both go through it.
#pragma once

#include <curl/curl.h>

namespace zrv {

// The libcurl functions the program uses.
struct CurlLibrary {
  CURL* (*easyInit)();
  CURLcode (*easySetopt)(CURL*, CURLoption, ...);
  CURLcode (*easyPerform)(CURL*);
  CURLcode (*easyGetinfo)(CURL*, CURLINFO, ...);
  void (*easyCleanup)(CURL*);
  curl_slist* (*slistAppend)(curl_slist*, const char*);
  void (*slistFreeAll)(curl_slist*);
};

// libcurl loaded and started once (whichever thread asks first); null when it is missing or
// does not start, for the rest of the run.
const CurlLibrary* curlLibrary();

// What a download needs to know of a finished transfer `curl`: the HTTP response code (0 when
// no response came) and the length the server announced for the body (-1 when it named none).
long responseCode(const CurlLibrary& lib, CURL* curl);
curl_off_t contentLength(const CurlLibrary& lib, CURL* curl);

// What an upload needs to know while it waits: the bytes the system still holds for the
// connection `socket` (from CURLOPT_SOCKOPTFUNCTION), not yet taken by the server; -1 when that
// cannot be told. While they shrink the server is reading, even when the program has nothing
// more to hand over.
long unsentBytes(curl_socket_t socket);

}  // namespace zrv
