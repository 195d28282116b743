// The age marker of birthday texts: "#" followed by the birth year is replaced by the age the
// person reaches in the year of the appointment.
#pragma once

#include <string>

#include "store/base/date.h"

namespace zrv {

inline constexpr char kAgeMarker = '#';

// `text` with its first marker and the four characters after it replaced by the age in the
// year of `appointmentDate` (the year is read from the digits among those four characters, up
// to the first non-digit; no digits give 0). The text after them is kept to at most 255
// characters, and the result loses leading and trailing blanks. Without a marker the text comes
// back unchanged.
std::string makeAge(const std::string& text, const Date& appointmentDate);

}  // namespace zrv
