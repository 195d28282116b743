// How field values are written in a dBASE III record: text padded with blanks, numbers right
// aligned, dates as YYYYMMDD, logicals as T/F. Decoding is lenient (the table's bytes may come
// from any program); encoding reports values that do not fit.
#pragma once

#include <string>
#include <string_view>

#include "store/base/date.h"

namespace zrv::field {

// Blanks read as 0; text that is not a number reads as 0.
double parseNumber(std::string_view stored);
// YYYYMMDD; blanks or anything else give the empty date.
inline Date parseDate(std::string_view stored) {
  return Date::fromDtos(stored);
}
// T t Y y are true; F f N n, blank, '?' and anything else false.
inline bool parseLogical(std::string_view stored) {
  return !stored.empty() &&
         (stored[0] == 'T' || stored[0] == 't' || stored[0] == 'Y' || stored[0] == 'y');
}
// Right-aligned in `width` with `decimals` decimals; false when it does not fit (or is not
// finite). Negative zero is written as zero.
bool formatNumber(double value, int width, int decimals, std::string& out);
// YYYYMMDD, or 8 blanks for the empty date (as Date::dtos, without printf).
std::string formatDate(const Date& d);
// Windows-1252 text cut or padded with blanks to `width`.
std::string padText(std::string_view cp1252, std::size_t width);
// The text without trailing blanks (and NULs, which some writers pad with).
std::string_view trimRight(std::string_view s);

}  // namespace zrv::field
