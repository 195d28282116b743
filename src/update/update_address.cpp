#include "update/update_address.h"

#include <algorithm>
#include <cctype>

#include "app/context.h"
#include "app/maker.h"
#include "app/settings_file.h"

namespace zrv {
namespace {

std::string lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::string trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return "";
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

bool hostCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == ':' ||
         c == '[' || c == ']';
}

// The host of an authority "host", "host:port", "[v6]" or "[v6]:port"; "" when it is not one.
std::string hostOf(std::string_view authority) {
  if (authority.empty() || !std::all_of(authority.begin(), authority.end(), hostCharacter)) {
    return "";
  }
  if (authority.front() == '[') {
    const auto close = authority.find(']');
    if (close == std::string_view::npos) return "";
    const std::string_view rest = authority.substr(close + 1);
    if (!rest.empty() && rest.front() != ':') return "";
    return std::string(authority.substr(1, close - 1));
  }
  return std::string(authority.substr(0, authority.find(':')));
}

}  // namespace

std::string updateServer(const Context& ctx) {
  std::string server = trimmed(settingsFile(ctx).text(keys::UpdateServer));
  if (server.empty()) server = trimmed(makerUpdateServer());
  while (!server.empty() && server.back() == '/')
    server.pop_back();
  return server;
}

std::string updateAddress(const std::string& server, const char* path) {
  return server.empty() ? "" : server + path;
}

bool fetchableAddress(std::string_view url) {
  const auto schemeEnd = url.find("://");
  if (schemeEnd == std::string_view::npos) return false;
  const std::string scheme = lower(url.substr(0, schemeEnd));
  const std::string_view rest = url.substr(schemeEnd + 3);
  const std::string host = lower(hostOf(rest.substr(0, rest.find_first_of("/?#"))));
  if (host.empty()) return false;
  if (scheme == "https") return true;
  return scheme == "http" && (host == "127.0.0.1" || host == "::1" || host == "localhost");
}

}  // namespace zrv
