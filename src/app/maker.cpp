#include "app/maker.h"

// The build passes the values as string literals; a build without them gets empty ones.
#ifndef ZRV_WEB_PAGE
#define ZRV_WEB_PAGE ""
#endif
#ifndef ZRV_SUPPORT_ADDRESS
#define ZRV_SUPPORT_ADDRESS ""
#endif
#ifndef ZRV_SUPPORT_SENDER
#define ZRV_SUPPORT_SENDER ""
#endif
#ifndef ZRV_SUPPORT_SMTP
#define ZRV_SUPPORT_SMTP ""
#endif
#ifndef ZRV_SUPPORT_PASSWORD
#define ZRV_SUPPORT_PASSWORD ""
#endif

namespace zrv {

const SupportAccount& supportAccount() {
  static const SupportAccount account{ZRV_SUPPORT_SENDER, ZRV_SUPPORT_SMTP, ZRV_SUPPORT_PASSWORD,
                                      ZRV_SUPPORT_ADDRESS};
  return account;
}

const std::string& makerWebPage() {
  static const std::string page = ZRV_WEB_PAGE;
  return page;
}

}  // namespace zrv
