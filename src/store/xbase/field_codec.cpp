#include "store/xbase/field_codec.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace zrv::field {
namespace {

// Digits alone (after an optional minus), as most number fields hold: read without the
// general parser, exactly (at most 15 digits).
std::optional<double> wholeNumber(std::string_view s) {
  const bool negative = s.front() == '-';
  if (negative) s.remove_prefix(1);
  if (s.empty() || s.size() > 15) return std::nullopt;
  std::int64_t v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  const auto d = static_cast<double>(v);
  return negative ? -d : d;
}

}  // namespace

double parseNumber(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\0'))
    s.remove_prefix(1);
  s = trimRight(s);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return 0.0;
  if (const std::optional<double> whole = wholeNumber(s)) return *whole;
  double v = 0.0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || !std::isfinite(v)) return 0.0;
  return v;
}

namespace {

// Whole numbers without decimals are most fields; they need no printf.
bool formatWhole(double value, int width, std::string& out) {
  const bool negative = value < 0;
  auto n = static_cast<unsigned long long>(negative ? -value : value);
  char digits[24];
  int len = 0;
  do {
    digits[len++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0);
  const bool minus = negative && !(len == 1 && digits[0] == '0');
  if (len + minus > width) return false;
  out.assign(static_cast<std::size_t>(width - len - minus), ' ');
  if (minus) out += '-';
  while (len > 0)
    out += digits[--len];
  return true;
}

}  // namespace

bool formatNumber(double value, int width, int decimals, std::string& out) {
  if (!std::isfinite(value) || width < 1 || width > 40 || decimals < 0 || decimals >= width) {
    return false;
  }
  if (decimals == 0 && value == std::floor(value) && std::fabs(value) < 1e15) {
    return formatWhole(value, width, out);
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

std::string formatDate(const Date& d) {
  if (d.empty()) return std::string(8, ' ');
  std::string out(8, '0');
  int y = d.year();
  for (int i = 3; i >= 0; --i, y /= 10)
    out[static_cast<std::size_t>(i)] = static_cast<char>('0' + y % 10);
  const int m = d.month(), day = d.day();
  out[4] = static_cast<char>('0' + m / 10);
  out[5] = static_cast<char>('0' + m % 10);
  out[6] = static_cast<char>('0' + day / 10);
  out[7] = static_cast<char>('0' + day % 10);
  return out;
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
