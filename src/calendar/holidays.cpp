#include "calendar/holidays.h"

namespace zrv {
namespace {

// Easter Sunday by Gauss's rule with the century constants M and N of 1700 .. 2199 and the two
// April corrections; the empty date outside those years.
Date easterSunday(int year) {
  if (year < kFirstHolidayYear || year > kLastHolidayYear) return {};
  int m = 24, n = 5;
  if (year < 1800) {
    m = 23, n = 3;
  } else if (year < 1900) {
    m = 23, n = 4;
  } else if (year >= 2100) {
    n = 6;
  }
  const int a = year % 19, b = year % 4, c = year % 7;
  const int d = (19 * a + m) % 30;
  const int e = (2 * b + 4 * c + 6 * d + n) % 7;
  int day = 22 + d + e;
  if (day <= 31) return *Date::fromYmd(year, 3, day);
  day = d + e - 9;
  if (day == 26) {
    day = 19;
  } else if (day == 25 && d == 28 && a > 10) {
    day = 18;
  }
  return *Date::fromYmd(year, 4, day);
}

// The first `weekday` (1 = Sunday .. 7 = Saturday) on or after `from`.
Date firstOnOrAfter(Date from, int weekday) {
  while (from.dow() != weekday)
    from = from + 1;
  return from;
}

constexpr int kSunday = 1, kWednesday = 4;

Date fixed(int year, int month, int day) {
  return Date::fromYmd(year, month, day).value_or(Date());
}

}  // namespace

Date getFTage(int year, MovableDay type) {
  if (year < kFirstHolidayYear || year > kLastHolidayYear) return {};
  const Date easter = easterSunday(year);
  switch (type) {
    case MovableDay::kEaster:
      return easter;
    case MovableDay::kGoodFriday:
      return easter - 2;
    case MovableDay::kCarnivalMonday:
      return easter - 48;
    case MovableDay::kAscension:
      return easter + 39;
    case MovableDay::kWhitSunday:
      return easter + 49;
    case MovableDay::kCorpusChristi:
      return easter + 60;
    case MovableDay::kMothersDay:
      return firstOnOrAfter(fixed(year, 5, 1), kSunday) + 7;
    case MovableDay::kRepentanceDay:
      return firstOnOrAfter(fixed(year, 11, 2), kWednesday) + 14;
  }
  return {};
}

HolidayTable makeFTage(int year) {
  using enum MovableDay;
  const Date easter = getFTage(year, kEaster);
  const Date whitSunday = getFTage(year, kWhitSunday);
  // Date arithmetic keeps an empty date empty, so the derived days vanish with Easter.
  return HolidayTable{{
      {fixed(year, 1, 1), kPublicHoliday, "Neujahr"},
      {easter, kPublicHoliday, "Ostersonntag"},
      {easter + 1, kPublicHoliday, "Ostermontag"},
      {easter - 2, kPublicHoliday, "Karfreitag"},
      {getFTage(year, kCarnivalMonday), kNotableDay, "Rosenmontag"},
      {getFTage(year, kAscension), kPublicHoliday, "Himmelfahrt"},
      {whitSunday, kPublicHoliday, "Pfingstsonntag"},
      {whitSunday + 1, kPublicHoliday, "Pfingstmontag"},
      {getFTage(year, kCorpusChristi), kPublicHoliday, "Fronleichnam"},
      {getFTage(year, kMothersDay), kNotableDay, "Muttertag"},
      {getFTage(year, kRepentanceDay), kPublicHoliday, "Buß- und Bettag"},
      {fixed(year, 12, 24), kPublicHoliday, "Heiligabend"},
      {fixed(year, 12, 25), kPublicHoliday, "1. Weihnachtstag"},
      {fixed(year, 12, 26), kPublicHoliday, "2. Weihnachtstag"},
      {fixed(year, 12, 31), kNotableDay, "Sylvester"},
      {fixed(year, 10, 3), kPublicHoliday, "Tag der deutschen Einheit"},
      {fixed(year, 10, 31), kNotableDay, "Helloween"},
      {fixed(year, 11, 1), kPublicHoliday, "Allerheiligen"},
      {fixed(year, 5, 1), kPublicHoliday, "Maifeiertag"},
      {fixed(year, 2, 14), kNotableDay, "Valentinstag"},
  }};
}

}  // namespace zrv
