#include "app/maker.h"

// The values of this build, as string literals (generated from the CMake options).
#include "maker_values.inc"

namespace zrv {

const SupportAccount& supportAccount() {
  static const SupportAccount account{ZRV_SUPPORT_SENDER, ZRV_SUPPORT_SMTP, ZRV_SUPPORT_PASSWORD,
                                      ZRV_SUPPORT_ADDRESS, ZRV_SUPPORT_FAX};
  return account;
}

const std::string& makerWebPage() {
  static const std::string page = ZRV_WEB_PAGE;
  return page;
}

const std::string& makerUpdateServer() {
  static const std::string server = ZRV_UPDATE_SERVER;
  return server;
}

std::uint64_t installerSizeLimit() {
  return ZRV_UPDATE_MAX_SIZE;
}

}  // namespace zrv
