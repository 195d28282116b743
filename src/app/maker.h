// The maker's own values: the web page, the support address and the support account that error
// reports travel through, and the server updates come from. They are build-time options (CMake
// cache entries ZRV_WEB_PAGE, ZRV_SUPPORT_ADDRESS, ZRV_SUPPORT_SENDER, ZRV_SUPPORT_SMTP,
// ZRV_SUPPORT_PASSWORD, ZRV_UPDATE_SERVER, ZRV_SUPPORT_FAX), empty by default: no password lives
// in the sources.
#pragma once

#include <cstdint>
#include <string>

namespace zrv {

struct SupportAccount {
  std::string sender;    // envelope sender, also the account name
  std::string server;    // SMTP server: a host, optionally ":port"
  std::string password;  // the account's password
  std::string address;   // the mailbox that receives error reports
  std::string fax;       // the support's fax number, shown beside "Drucken" of the error report

  // Whether error reports can go out through it: sender, server and address are set.
  bool usable() const { return !sender.empty() && !server.empty() && !address.empty(); }
};

// The values this build was made with.
const SupportAccount& supportAccount();
const std::string& makerWebPage();
// The update server's base address ("https://host[:port]"); empty when the build names none.
const std::string& makerUpdateServer();
// The largest installer an update downloads, in bytes (ZRV_UPDATE_MAX_SIZE, 512 MiB by default).
std::uint64_t installerSizeLimit();

}  // namespace zrv
