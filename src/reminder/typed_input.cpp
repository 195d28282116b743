#include "reminder/typed_input.h"

#include <cctype>

namespace zrv {
namespace {

// Digits with blanks anywhere; nullopt without a digit or with anything else.
std::optional<int> digits(const std::string& part) {
  int value = 0;
  bool any = false;
  for (char c : part) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      if (value > 99999) return std::nullopt;
      value = value * 10 + (c - '0');
      any = true;
    } else if (c != ' ') {
      return std::nullopt;
    }
  }
  return any ? std::optional<int>(value) : std::nullopt;
}

}  // namespace

std::optional<Date> typedDate(const std::string& typed) {
  if (typed.size() != 10 || typed[2] != '.' || typed[5] != '.') return std::nullopt;
  const std::string yearText = typed.substr(6, 4);
  if (yearText.find(' ') != std::string::npos) return std::nullopt;
  const auto day = digits(typed.substr(0, 2));
  const auto month = digits(typed.substr(3, 2));
  const auto year = digits(yearText);
  if (!day || !month || !year) return std::nullopt;
  return Date::fromYmd(*year, *month, *day);
}

std::optional<std::string> typedTime(const std::string& typed) {
  if (typed.size() != 5 || typed[2] != ':') return std::nullopt;
  const auto hours = digits(typed.substr(0, 2));
  const auto minutes = digits(typed.substr(3, 2));
  if (!hours || !minutes || *hours > 23 || *minutes > 59) return std::nullopt;
  auto two = [](int n) {
    return std::string{static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
  };
  return two(*hours) + ":" + two(*minutes);
}

std::optional<int> typedNumber(const std::string& typed) {
  if (typed.find_first_not_of(' ') == std::string::npos) return 0;
  return digits(typed);
}

}  // namespace zrv
