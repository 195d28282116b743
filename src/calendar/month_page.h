// The month calendar's page: which day sits in which of the 42 cells (six weeks, Monday first),
// and for each cell its bitmap, tooltip and caption, the week numbers beside the rows, the month
// title and the line naming today. Pure functions of their inputs.
#pragma once

#include <array>
#include <string>

#include "calendar/holidays.h"
#include "calendar/month_appointments.h"
#include "store/base/date.h"

namespace zrv {

inline constexpr int kCalendarCells = 42;
inline constexpr int kCalendarRows = 6;

// Day of the month per cell (index 0 is cell 1), 0 outside the month.
using DayNumbers = std::array<int, kCalendarCells>;

struct CalendarCell {
  int day = 0;
  std::string bitmap;   // resource name: KAussen, KDatum, KHeute, KFeier ...
  std::string tooltip;  // UTF-8; unchanged ("") for a cell outside the month
  std::string caption;  // the day without blanks, "" outside the month
};

struct MonthPage {
  std::string title;  // "Februar 2024 +": month name, year, " +" in a leap year
  std::array<CalendarCell, kCalendarCells> cells;
  std::array<std::string, kCalendarRows> weeks;  // calendar week of each row, or ""
};

// What a page is computed from besides the month itself.
struct PageInputs {
  Date today;
  Date preset;  // the date the caller handed in
  const HolidayTable* holidays = nullptr;
  const MonthAppointments* appointments = nullptr;
};

// MAKEKALEN: day 1 in the column of its weekday (Monday = cell 1, Sunday = cell 7).
DayNumbers makeKalen(const Date& date);

// SHOWKALEN without the drawing: the page of `date`'s month laid out by `days`. A day that is
// today and a holiday, today, the preset date, an ordinary day or a holiday, in that order; a
// day with appointments shows them over all of that.
MonthPage showKalen(const Date& date, const DayNumbers& days, const PageInputs& in);

// "Heute ist: Mo.,   7. Dez.  2026".
std::string todayLine(const Date& today);

struct LegendRow {
  const char* bitmap;
  const char* text;  // UTF-8
};
// The legend's nine rows in their order.
const std::array<LegendRow, 9>& legendRows();

}  // namespace zrv
