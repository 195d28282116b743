// The maker's addresses: its web page and the support mailbox, shared by the help menu, mail,
// the update search and the diagnostics.
#pragma once

namespace zrv {

inline constexpr const char* kMakerHomepage = "https://www.quarn.de/zorvane/";
inline constexpr const char* kMakerSupportMail = "support@quarn.de";

}  // namespace zrv
