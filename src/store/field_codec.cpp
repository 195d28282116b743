#include "store/field_codec.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace zrv::field {

double parseNumber(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\0'))
    s.remove_prefix(1);
  s = trimRight(s);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return 0.0;
  double v = 0.0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || !std::isfinite(v)) return 0.0;
  return v;
}

bool formatNumber(double value, int width, int decimals, std::string& out) {
  if (!std::isfinite(value) || width < 1 || width > 40 || decimals < 0 || decimals >= width) {
    return false;
  }
  char buf[96];
  int n = std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  if (n <= 0 || n >= static_cast<int>(sizeof buf)) return false;
  std::string text(buf, static_cast<std::size_t>(n));
  if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  if (static_cast<int>(text.size()) > width) return false;
  out.assign(static_cast<std::size_t>(width) - text.size(), ' ');
  out += text;
  return true;
}

std::string padText(std::string_view s, std::size_t width) {
  std::string out(s.substr(0, width));
  out.resize(width, ' ');
  return out;
}

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0'))
    s.remove_suffix(1);
  return s;
}

}  // namespace zrv::field
