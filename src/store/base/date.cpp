#include "store/base/date.h"

#include <cstdio>

namespace zrv {
namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian calendar).
long daysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}

struct Ymd {
  int y, m, d;
};

Ymd civilFromDays(long z) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int y = static_cast<int>(yoe) + static_cast<int>(era) * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {y + (m <= 2), m, d};
}

// The serial numbers of 01.01.0001 and 31.12.9999.
const long kFirstSerial = daysFromCivil(1, 1, 1);
const long kLastSerial = daysFromCivil(9999, 12, 31);

bool readDigits(std::string_view text, int& value) {
  if (text.empty()) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

}  // namespace

bool Date::isValidYmd(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (day <= kDays[month - 1]) return true;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && day == 29 && leap;
}

std::optional<Date> Date::fromYmd(int year, int month, int day) {
  if (!isValidYmd(year, month, day)) return std::nullopt;
  return Date(daysFromCivil(year, month, day));
}

bool Date::isValidDtos(std::string_view text) {
  if (text.size() != 8) return false;
  int digits[8];
  for (std::size_t i = 0; i < 8; ++i) {
    digits[i] = text[i] - '0';
    if (digits[i] < 0 || digits[i] > 9) return false;
  }
  return isValidYmd(digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3],
                    digits[4] * 10 + digits[5], digits[6] * 10 + digits[7]);
}

Date Date::fromDtos(std::string_view text) {
  int y, m, d;
  if (text.size() != 8 || !readDigits(text.substr(0, 4), y) || !readDigits(text.substr(4, 2), m) ||
      !readDigits(text.substr(6, 2), d)) {
    return Date();
  }
  return fromYmd(y, m, d).value_or(Date());
}

Date Date::fromDisplay(std::string_view text) {
  int y, m, d;
  if (text.size() != 10 || text[2] != '.' || text[5] != '.' || !readDigits(text.substr(0, 2), d) ||
      !readDigits(text.substr(3, 2), m) || !readDigits(text.substr(6, 4), y)) {
    return Date();
  }
  return fromYmd(y, m, d).value_or(Date());
}

Date Date::fromSerial(long days) {
  return days < kFirstSerial || days > kLastSerial ? Date() : Date(days);
}

int Date::year() const {
  return empty() ? 0 : civilFromDays(*serial_).y;
}
int Date::month() const {
  return empty() ? 0 : civilFromDays(*serial_).m;
}
int Date::day() const {
  return empty() ? 0 : civilFromDays(*serial_).d;
}

int Date::dow() const {
  if (empty()) return 0;
  // 1970-01-01 was a Thursday (weekday number 5).
  long w = (*serial_ + 4) % 7;  // 0 = Sunday
  if (w < 0) w += 7;
  return static_cast<int>(w) + 1;
}

std::string Date::dtos() const {
  if (empty()) return std::string(8, ' ');
  const Ymd c = civilFromDays(*serial_);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", c.y, c.m, c.d);
  return buf;
}

std::string Date::toDisplay() const {
  if (empty()) return "";
  const Ymd c = civilFromDays(*serial_);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", c.d, c.m, c.y);
  return buf;
}

Date Date::operator+(long days) const {
  if (empty() || days > kLastSerial - *serial_ || days < kFirstSerial - *serial_) return Date();
  return Date(*serial_ + days);
}

long Date::operator-(const Date& other) const {
  if (empty() || other.empty()) return 0;
  return *serial_ - *other.serial_;
}

}  // namespace zrv
