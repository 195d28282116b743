// The holiday table of one year: German public holidays and a few other notable days, twenty
// entries in a fixed order, ten on fixed dates and ten derived from Easter Sunday or from a
// weekday rule. Movable days are known for the years 1700 to 2199 only.
#pragma once

#include <array>
#include <string>

#include "store/base/date.h"

namespace zrv {

inline constexpr int kPublicHoliday = 1;  // kind of an official holiday
inline constexpr int kNotableDay = 2;     // kind of an unofficial one (Rosenmontag, Muttertag ...)

struct Holiday {
  Date date;  // empty for a movable day of a year outside 1700 .. 2199
  int kind = 0;
  std::string name;  // UTF-8, the day's tooltip
};

using HolidayTable = std::array<Holiday, 20>;

// Day types of getFTage.
enum class MovableDay {
  kEaster = 1,
  kGoodFriday = 2,      // Easter - 2
  kCarnivalMonday = 3,  // Easter - 48
  kAscension = 4,       // Easter + 39
  kWhitSunday = 5,      // Easter + 49
  kCorpusChristi = 6,   // Easter + 60
  kMothersDay = 7,      // the second Sunday of May
  kRepentanceDay = 8,   // the Wednesday between 16 and 22 November
};

inline constexpr int kFirstHolidayYear = 1700;
inline constexpr int kLastHolidayYear = 2199;

// The date of a movable day of `year`; the empty date outside 1700 .. 2199.
Date getFTage(int year, MovableDay type);

// The twenty entries for `year` (fixed dates for any year from 1 to 9999).
HolidayTable makeFTage(int year);

// Position (1-based) of the first entry whose date equals `date`, or with `exact` false whose
// day and month equal those of `date` in any year; 0 when there is none (or `date` is empty).
// Works on any sequence of entries with a `date` member.
template <class Entries>
int qlScan(const Entries& entries, const Date& date, bool exact = true) {
  if (date.empty()) return 0;
  int position = 0;
  for (const auto& entry : entries) {
    ++position;
    const Date& d = entry.date;
    if (d.empty()) continue;
    if (exact ? d == date : d.day() == date.day() && d.month() == date.month()) return position;
  }
  return 0;
}

}  // namespace zrv
