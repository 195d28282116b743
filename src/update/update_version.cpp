#include "update/update_version.h"

namespace zrv {
namespace {

constexpr std::size_t kVersionLength = 7;

bool digit(char c) {
  return c >= '0' && c <= '9';
}

bool versionShaped(std::string_view v) {
  return v.size() == kVersionLength && digit(v[0]) && v[1] == '.' && digit(v[2]) && digit(v[3]) &&
         v[4] == '.' && digit(v[5]) && digit(v[6]);
}

}  // namespace

std::string ownVersion(std::string_view release) {
  for (std::size_t i = 0; i + 1 < release.size(); ++i) {
    if (release[i] == 'v' && digit(release[i + 1])) {
      return std::string(release.substr(i + 1, kVersionLength));
    }
  }
  return "";
}

std::optional<std::string> publishedVersion(std::string_view text) {
  const auto tag = text.find("<Program_Version>");
  const std::string_view window = text.substr(tag == std::string_view::npos ? 0 : tag, 24);
  const auto close = window.find('>');
  if (close == std::string_view::npos) return std::nullopt;
  const std::string_view version = window.substr(close + 1, kVersionLength);
  if (!versionShaped(version)) return std::nullopt;
  return std::string(version);
}

bool isNewer(std::string_view published, std::string_view own) {
  return versionShaped(published) && versionShaped(own) && published > own;
}

}  // namespace zrv
