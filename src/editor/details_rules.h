// The four recurrence details windows without their windows: the values each starts with, when
// it may save, and what saving does to the editor's values (the mask, the end date, the moves
// of the appointment date, the repetition text). Cancelling changes nothing: the windows work
// on these copies and hand them back only on saving.
#pragma once

#include <array>

#include "editor/editor_values.h"

namespace zrv {

// Daily: the end date and the chosen weekdays, Sunday first.
struct DayDetails {
  Date end;
  std::array<bool, 7> weekdays{};
};
DayDetails dayDetailsOf(const EditorValues& v, const Date& today);
bool canSave(const DayDetails& d);
// Stores the mask and the end date. An appointment not dated today whose weekday is not chosen
// moves forward to the first chosen weekday, and the end date back to the last chosen weekday
// on or before it, so that the series neither skips a chosen day nor runs past its end.
void saveDetails(EditorValues& v, const DayDetails& d, const Date& today);

// Weekly: every n-th week until the end date. A series without an end date starts with the
// kind's default end, a year on: ending it on its own date would end it at its next alert.
struct WeekDetails {
  int interval = 1;
  Date end;
};
WeekDetails weekDetailsOf(const EditorValues& v);
bool canSave(const WeekDetails& d);
void saveDetails(EditorValues& v, const WeekDetails& d);

// Monthly: the day of the month (above 31: the last day, "Ultimo"), the end date, the months.
struct MonthDetails {
  int day = 1;
  Date end;
  std::array<bool, 12> months{};
};
MonthDetails monthDetailsOf(const EditorValues& v);
bool canSave(const MonthDetails& d);
// The day field was left: the end date moves to that day of its month (the month's last day
// when the month is shorter or the day is above 31).
Date endForDay(const Date& end, int day);
// Stores the mask, the end date and the day; the appointment date moves to that day of its
// month, or to the month's last valid day. When that day has passed it moves on to the first
// such day of a chosen month that is today or later, so that saving raises no alert at once.
void saveDetails(EditorValues& v, const MonthDetails& d, const Date& today);

// Yearly: the end date.
struct YearDetails {
  Date end;
};
YearDetails yearDetailsOf(const EditorValues& v);
bool canSave(const YearDetails& d);
void saveDetails(EditorValues& v, const YearDetails& d);

// The day `day` of the month of `date`, or that month's last day when it has fewer days.
Date dayInMonth(const Date& date, int day);

}  // namespace zrv
