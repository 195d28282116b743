// What a user typed into the program's entry fields of fixed shape: a date "dd.mm.yyyy", a time
// "HH:MM" and a number, read the same way by every window that asks for one.
#pragma once

#include <optional>
#include <string>

#include "store/base/date.h"

namespace zrv {

// The message for a typed date that names no day.
inline constexpr const char* kInvalidDateMessage =
    "Bitte ein gültiges Datum eingeben (TT.MM.JJJJ) !";

// A date typed as "dd.mm.yyyy" (blanks count as missing digits; the year needs all four);
// nullopt when it names no real day ("31.02.2026").
std::optional<Date> typedDate(const std::string& typed);
// A time typed as "HH:MM" written with two digits each; nullopt outside 00:00 .. 23:59.
std::optional<std::string> typedTime(const std::string& typed);
// The number in a field of digits and blanks; a blank field is 0, anything else nullopt.
std::optional<int> typedNumber(const std::string& typed);

}  // namespace zrv
