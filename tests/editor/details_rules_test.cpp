// The recurrence details without their windows: start values, the weekday and month-day moves
// of the appointment date, and the repetition text after saving.
#include "editor/details_rules.h"

#include <gtest/gtest.h>

#include "reminder/recurrence.h"

namespace zrv {
namespace {

Date d(const char* text) {
  return Date::fromDisplay(text);
}

EditorValues valuesFor(const char* date, int kind) {
  EditorValues v;
  v.date = d(date);
  v.recurrence = kind;
  resetRepetition(v);
  return v;
}

TEST(Details, StartValuesFollowTheKindsDefaultsAndFillGaps) {
  EditorValues daily = valuesFor("10.06.2024", kDaily);
  const DayDetails day = dayDetailsOf(daily, d("10.06.2024"));
  EXPECT_EQ(day.end, d("10.06.2025"));
  EXPECT_TRUE(canSave(day));
  daily.rep.end = Date();
  daily.rep.weekdays = "       ";
  const DayDetails blank = dayDetailsOf(daily, d("01.01.2024"));
  EXPECT_EQ(blank.end, d("31.12.2024"));
  for (bool ticked : blank.weekdays)
    EXPECT_TRUE(ticked);

  EditorValues weekly = valuesFor("10.06.2024", kWeekly);
  EXPECT_EQ(weekDetailsOf(weekly).interval, 1);
  weekly.rep.end = Date();  // a series without end: a year on, not its own date
  EXPECT_EQ(weekDetailsOf(weekly).end, d("09.06.2025"));
  EXPECT_FALSE(canSave(WeekDetails{0, d("10.06.2024")}));
  EXPECT_FALSE(canSave(WeekDetails{2, Date()}));

  EditorValues monthly = valuesFor("15.06.2024", kMonthly);
  EXPECT_EQ(monthDetailsOf(monthly).day, 15);  // its own day, not the first of each month
  monthly.rep.end = Date();
  monthly.rep.monthDay = 0;
  EXPECT_EQ(monthDetailsOf(monthly).end, d("15.06.2026"));
  EXPECT_EQ(monthDetailsOf(monthly).day, 15);

  EditorValues yearly = valuesFor("29.02.2024", kYearly);
  yearly.rep.end = Date();
  EXPECT_EQ(yearDetailsOf(yearly).end, d("29.02.2044"));
  EditorValues leapMonthly = valuesFor("29.02.2024", kMonthly);
  leapMonthly.rep.end = Date();
  EXPECT_EQ(monthDetailsOf(leapMonthly).end, d("28.02.2026"));
  EXPECT_FALSE(canSave(YearDetails{}));
}

TEST(Details, DailyMovesTheDateToTheFirstChosenWeekdayButNeverToday) {
  // Monday 10.06.2024, only Wednesday and Friday chosen.
  EditorValues v = valuesFor("10.06.2024", kDaily);
  DayDetails day = dayDetailsOf(v, d("07.06.2024"));
  day.weekdays = {false, false, false, true, false, true, false};
  day.end = d("09.06.2025");  // a Monday
  saveDetails(v, day, d("07.06.2024"));
  EXPECT_EQ(v.date, d("12.06.2024"));
  EXPECT_EQ(v.rep.end, d("06.06.2025"));  // the Friday before
  EXPECT_EQ(v.rep.weekdays, "---X-X-");
  EXPECT_EQ(v.repetitionText, "jeden Tag bis Freitag, 6. Juni 2025");

  EditorValues today = valuesFor("10.06.2024", kDaily);
  saveDetails(today, day, d("10.06.2024"));
  EXPECT_EQ(today.date, d("10.06.2024"));

  DayDetails none = day;
  none.weekdays = {};
  EXPECT_FALSE(canSave(none));
  EditorValues untouched = valuesFor("10.06.2024", kDaily);
  const EditorValues before = untouched;
  saveDetails(untouched, none, d("07.06.2024"));
  EXPECT_EQ(untouched.rep.weekdays, before.rep.weekdays);
}

TEST(Details, MonthlyDayAboveTheMonthsLengthGivesItsLastDay) {
  EditorValues v = valuesFor("10.04.2025", kMonthly);
  MonthDetails m = monthDetailsOf(v);
  m.day = 99;
  m.end = endForDay(m.end, m.day);
  EXPECT_EQ(m.end, d("30.04.2027"));
  saveDetails(v, m, d("01.04.2025"));
  EXPECT_EQ(v.date, d("30.04.2025"));
  EXPECT_EQ(v.rep.monthDay, 99);
  EXPECT_EQ(v.repetitionText, "jeden Ultimo bis Freitag, 30. April 2027");

  EditorValues april = valuesFor("10.04.2025", kMonthly);
  MonthDetails m31 = monthDetailsOf(april);
  m31.day = 31;
  m31.months[0] = false;
  saveDetails(april, m31, d("01.04.2025"));
  EXPECT_EQ(april.date, d("30.04.2025"));
  EXPECT_EQ(april.rep.months, "-XXXXXXXXXXX");

  // A day already past moves on to the first such day ahead, in a chosen month: the first of
  // December has passed on 15 December, January is not chosen.
  EditorValues december = valuesFor("31.12.2025", kMonthly);
  MonthDetails first = monthDetailsOf(december);
  first.day = 1;
  first.months[0] = false;
  saveDetails(december, first, d("15.12.2025"));
  EXPECT_EQ(december.date, d("01.02.2026"));
  EditorValues ultimo = valuesFor("10.12.2025", kMonthly);
  MonthDetails last = monthDetailsOf(ultimo);
  last.day = 5;
  saveDetails(ultimo, last, d("05.12.2025"));  // today is not past
  EXPECT_EQ(ultimo.date, d("05.12.2025"));

  EXPECT_EQ(endForDay(d("10.02.2027"), 30), d("28.02.2027"));
  EXPECT_EQ(endForDay(d("10.03.2027"), 7), d("07.03.2027"));
  EXPECT_FALSE(canSave(MonthDetails{0, d("10.03.2027"), {}}));
}

TEST(Details, WeeklyAndYearlyTexts) {
  EditorValues v = valuesFor("10.06.2024", kWeekly);
  saveDetails(v, WeekDetails{2, d("31.12.2024")});
  EXPECT_EQ(v.repetitionText, "jede 2. Woche bis Dienstag, 31. Dezember 2024");
  saveDetails(v, WeekDetails{1, d("31.12.2024")});
  EXPECT_EQ(v.repetitionText, "jede Woche bis Dienstag, 31. Dezember 2024");

  EditorValues y = valuesFor("10.06.2024", kYearly);
  saveDetails(y, YearDetails{d("10.06.2030")});
  EXPECT_EQ(y.repetitionText, "jährlich bis Montag, 10. Juni 2030");
}

}  // namespace
}  // namespace zrv
