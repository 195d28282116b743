// The date and time helpers against the calendar cases the reminder depends on.
#include <gtest/gtest.h>

#include "store/date_time.h"
#include "support/logbook_capture.h"

namespace zrv {
namespace {

Date d(int y, int m, int day) {
  return *Date::fromYmd(y, m, day);
}

TEST(DateTimeMinutes, SubtractingCarriesIntoThePreviousDay) {
  test::LogbookCapture cap;
  Date date = d(2023, 3, 1);
  std::string time = "00:01";
  subMin(date, time, 2, cap.log());
  EXPECT_EQ(date, d(2023, 2, 28));
  EXPECT_EQ(time, "23:59:00");
  EXPECT_TRUE(cap.has("SubMin", "Date/Time: 01.03.2023 00:01 Sub: 2"));
  EXPECT_TRUE(cap.has("SubMin", "NEW Date/Time: 28.02.2023 23:59:00"));

  date = d(2024, 5, 10);
  time = "01:30";
  subMin(date, time, 120, cap.log());
  EXPECT_EQ(date, d(2024, 5, 9));
  EXPECT_EQ(time, "23:30:00");
}

TEST(DateTimeMinutes, ZeroLeadTimeLeavesTheTimeAsItWas) {
  test::LogbookCapture cap;
  Date date = d(2024, 5, 10);
  std::string time = "14:00";
  subMin(date, time, 0, cap.log());
  EXPECT_EQ(time, "14:00");
  subMin(date, time, 15, cap.log());
  EXPECT_EQ(time, "13:45:00");
  EXPECT_EQ(date, d(2024, 5, 10));
}

TEST(DateTimeMinutes, AddingCarriesBothWays) {
  test::LogbookCapture cap;
  Date date = d(2024, 12, 31);
  std::string time = "10:00";
  addMin(date, time, 999, cap.log());
  EXPECT_EQ(date, d(2025, 1, 1));
  EXPECT_EQ(time, "02:39:00");
  date = d(2024, 1, 1);
  time = "00:10";
  addMin(date, time, -15, cap.log());
  EXPECT_EQ(date, d(2023, 12, 31));
  EXPECT_EQ(time, "23:55:00");
}

TEST(DateTimeMinutes, UnreadableTimeCountsAsMidnight) {
  test::LogbookCapture cap;
  Date date = d(2024, 5, 10);
  std::string time = "ab:cd";
  addMin(date, time, 5, cap.log());
  EXPECT_EQ(time, "00:05:00");
  EXPECT_EQ(timeHours("ab:cd"), 0);
  EXPECT_EQ(timeMinutes(""), 0);
}

TEST(DateTimeHours, AddHourPastMidnightMovesTheDate) {
  Date date = d(2024, 2, 29);
  std::string time = "23:30";
  addHour(date, time, 1);
  EXPECT_EQ(date, d(2024, 3, 1));
  EXPECT_EQ(time, "00:30");
  time = "09:15:00";
  addHour(date, time, 1);
  EXPECT_EQ(time, "10:15:00");
}

TEST(DateTimeMonths, DayIsReducedToTheMonthsLastDay) {
  EXPECT_EQ(addMonth(d(2023, 1, 31), 1), d(2023, 2, 28));
  EXPECT_EQ(addMonth(d(2024, 1, 31), 1), d(2024, 2, 29));
  EXPECT_EQ(addMonth(d(2023, 11, 15), 4), d(2024, 3, 15));
  EXPECT_EQ(addMonth(d(2024, 1, 15), -1), d(2023, 12, 15));
  EXPECT_EQ(addMonth(d(2024, 3, 15), 0), d(2024, 3, 15));
  EXPECT_TRUE(addMonth(Date(), 1).empty());
  EXPECT_EQ(addYear(d(2004, 2, 29), 1), d(2005, 2, 28));
  EXPECT_EQ(addYear(d(2004, 2, 29), 4), d(2008, 2, 29));
}

TEST(DateTimeMasks, NextMarkedWeekdayAndMonth) {
  test::LogbookCapture cap;
  const std::string monWedFri = "-X-X-X-";
  EXPECT_EQ(qlNxtDay(monWedFri, 'X', 2, cap.log()), 2);  // Monday -> Wednesday
  EXPECT_EQ(qlNxtDay(monWedFri, 'X', 6, cap.log()), 3);  // Friday -> next Monday
  EXPECT_EQ(qlNxtDay("XXXXXXX", 'X', 7, cap.log()), 1);  // Saturday -> Sunday
  EXPECT_EQ(qlNxtDay("-------", 'X', 3, cap.log()), 4);
  EXPECT_EQ(qlNxtDay("-------", 'X', 7, cap.log()), 1);
  EXPECT_TRUE(cap.has("QLNxtDay", "WeekDays: -X-X-X- Seek: X at: 2"));
  EXPECT_TRUE(cap.has("QLNxtDay", "Next Day: 3"));

  EXPECT_EQ(qlNxtMon("--X---------", 'X', 7), 8);
  EXPECT_EQ(qlNxtMon("XXXXXXXXXXXX", 'X', 12), 1);
  EXPECT_EQ(qlNxtMon("------------", 'X', 4), 0);
}

TEST(DateTimeCalendar, MonthLengthsLeapYearsWeeksAndNames) {
  EXPECT_EQ(lastDom(d(2003, 2, 10)), 28);
  EXPECT_EQ(lastDom(d(2024, 2, 1)), 29);
  EXPECT_EQ(lastDom(d(2003, 4, 30)), 30);
  EXPECT_EQ(lastDom(d(2003, 12, 1)), 31);
  EXPECT_TRUE(isLeep(d(2000, 6, 1)));
  EXPECT_FALSE(isLeep(d(1900, 6, 1)));
  // 1 January 2021 was a Friday: the first days of that year are in week 0.
  EXPECT_EQ(weekDay(d(2021, 1, 1)), 0);
  EXPECT_EQ(weekDay(d(2024, 1, 1)), 1);
  EXPECT_EQ(weekDay(d(2024, 1, 7)), 2);
  EXPECT_EQ(qlCDow(d(2004, 12, 31)), "Freitag");
  EXPECT_EQ(qlCDow(Date()), "");
}

TEST(DateTimeElapsed, MinutesSinceAMomentAcrossDays) {
  test::LogbookCapture cap("02.03.2024", "00:10:30");
  EXPECT_EQ(qlMinDiff(d(2024, 3, 1), "23:50", cap.clock(), cap.log()), 20);
  EXPECT_EQ(qlMinDiff(d(2024, 3, 2), "00:00", cap.clock(), cap.log()), 10);
  EXPECT_TRUE(cap.has("qlMinDiff",
                      "Minuten zwischen 01.03.2024 - 23:50 und 02.03.2024 - 00:10:30 ermitteln"));
  EXPECT_TRUE(cap.has("qlMinDiff", "Differenz: 20 Min."));
}

}  // namespace
}  // namespace zrv
