// The date and time helpers against the calendar cases the reminder depends on.
#include "store/base/date_time.h"

#include <gtest/gtest.h>

#include "store/base/clock.h"
#include "store/base/logbook.h"
#include "support/berlin_time.h"
#include "support/logbook_capture.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

Date d(const char* text) {
  return Date::fromDisplay(text);
}

// A logbook that is on, so that the helpers' lines can be checked.
struct DateTimeTest : ::testing::Test {
  DateTimeTest() {
    log.setEnabled(true);
    log.log("Zorvane Start", "");
  }
  // The entry lines written after the start line.
  std::string lines() const {
    const std::string all = dir.read("Zorvane.Log");
    return all.substr(all.find("(Zorvane Start) \r\n") + 18);
  }
  test::TestDir dir;
  FixedClock clock{"10.06.2024", "12:00:30"};
  Logbook log{dir / "Zorvane.Log", "R", clock};
};

TEST_F(DateTimeTest, SubMinCarriesBackOverMidnightAndMonthEnds) {
  Date date = d("01.03.2024");
  std::string time = "00:01";
  subMin(date, time, 2, log);
  EXPECT_EQ(date, d("29.02.2024"));
  EXPECT_EQ(time, "23:59:00");
  date = d("01.03.2023");
  time = "00:01";
  subMin(date, time, 2, log);
  EXPECT_EQ(date, d("28.02.2023"));
  EXPECT_NE(lines().find("(SubMin) Date/Time: 01.03.2023 00:01 Sub: 2\r\n"), std::string::npos);
  EXPECT_NE(lines().find("(SubMin) NEW Date/Time: 28.02.2023 23:59:00\r\n"), std::string::npos);
  date = d("01.01.2025");
  time = "01:30";
  subMin(date, time, 120, log);
  EXPECT_EQ(date, d("31.12.2024"));
  EXPECT_EQ(time, "23:30:00");
}

TEST_F(DateTimeTest, SubMinOfNothingLeavesTheTimeUntouched) {
  Date date = d("10.06.2024");
  std::string time = "14:00";
  subMin(date, time, 0, log);
  EXPECT_EQ(time, "14:00");
  subMin(date, time, -5, log);
  EXPECT_EQ(time, "14:00");
  subMin(date, time, 15, log);
  EXPECT_EQ(time, "13:45:00");
  EXPECT_EQ(date, d("10.06.2024"));
  EXPECT_EQ(lines(),
            "12:00:30 (SubMin) Date/Time: 10.06.2024 14:00 Sub: 0\r\n"
            "12:00:30 (SubMin) Date/Time: 10.06.2024 14:00 Sub: -5\r\n"
            "12:00:30 (SubMin) Date/Time: 10.06.2024 14:00 Sub: 15\r\n"
            "12:00:30 (SubMin) NEW Date/Time: 10.06.2024 13:45:00\r\n");
}

TEST_F(DateTimeTest, AddMinCarriesInBothDirections) {
  Date date = d("31.12.2024");
  std::string time = "10:00";
  addMin(date, time, 999, log);
  EXPECT_EQ(time, "02:39:00");
  EXPECT_EQ(date, d("01.01.2025"));
  date = d("01.03.2024");
  time = "00:10";
  addMin(date, time, -15, log);
  EXPECT_EQ(time, "23:55:00");
  EXPECT_EQ(date, d("29.02.2024"));
  date = d("01.01.2024");
  time = "00:10";
  addMin(date, time, -15, log);
  EXPECT_EQ(date, d("31.12.2023"));
  EXPECT_EQ(time, "23:55:00");
  date = d("10.06.2024");
  time = "08:00";
  addMin(date, time, 3 * 1440 + 1, log);
  EXPECT_EQ(date, d("13.06.2024"));
  EXPECT_EQ(time, "08:01:00");
  addMin(date, time, -3 * 1440 - 2, log);
  EXPECT_EQ(date, d("10.06.2024"));
  EXPECT_EQ(time, "07:59:00");
  EXPECT_NE(lines().find("(AddMin) Date/Time: 31.12.2024 10:00 Add: 999\r\n12:00:30 (AddMin) "
                         "NEW Date/Time: 01.01.2025 02:39:00\r\n"),
            std::string::npos);
}

TEST_F(DateTimeTest, UnreadableTimesCountAsZero) {
  Date date = d("10.06.2024");
  std::string time = "ab:cd";
  addMin(date, time, 5, log);
  EXPECT_EQ(time, "00:05:00");
  time = "";
  subMin(date, time, 1, log);
  EXPECT_EQ(time, "23:59:00");
  EXPECT_EQ(date, d("09.06.2024"));
  EXPECT_EQ(timeHours("7:"), 7);
  EXPECT_EQ(timeMinutes("07:x5"), 0);
  EXPECT_EQ(timeHours("ab:cd"), 0);
  EXPECT_EQ(timeMinutes(""), 0);
  Date empty;
  time = "12:00";
  addMin(empty, time, 1440, log);
  EXPECT_TRUE(empty.empty());
}

TEST_F(DateTimeTest, AddHourKeepsMinutesAndSeconds) {
  Date date = d("31.12.2024");
  std::string time = "23:30";
  addHour(date, time, 1);
  EXPECT_EQ(time, "00:30");
  EXPECT_EQ(date, d("01.01.2025"));
  time = "09:15:00";
  addHour(date, time, 1);
  EXPECT_EQ(time, "10:15:00");
  date = d("29.02.2024");
  time = "23:30";
  addHour(date, time, 1);
  EXPECT_EQ(date, d("01.03.2024"));
  time = "";
  addHour(date, time, 1);
  EXPECT_EQ(time, "01");
}

TEST(DateHelpers, AddMonthReducesTheDayToTheMonthsEnd) {
  EXPECT_EQ(addMonth(d("31.01.2023"), 1), d("28.02.2023"));
  EXPECT_EQ(addMonth(d("31.01.2024"), 1), d("29.02.2024"));
  EXPECT_EQ(addMonth(d("15.11.2024"), 4), d("15.03.2025"));
  EXPECT_EQ(addMonth(d("15.11.2023"), 4), d("15.03.2024"));
  EXPECT_EQ(addMonth(d("15.01.2024"), -1), d("15.12.2023"));
  EXPECT_EQ(addMonth(d("31.03.2024"), -13), d("28.02.2023"));
  EXPECT_EQ(addMonth(d("31.12.2024"), 0), d("31.12.2024"));
  EXPECT_TRUE(addMonth(Date(), 1).empty());
  EXPECT_TRUE(addMonth(d("15.12.9999"), 1).empty());
}

TEST(DateHelpers, AddYearMovesLeapDays) {
  EXPECT_EQ(addYear(d("29.02.2004"), 1), d("28.02.2005"));
  EXPECT_EQ(addYear(d("29.02.2004"), 4), d("29.02.2008"));
  EXPECT_EQ(addYear(d("29.02.2004"), -101), d("28.02.1903"));
  EXPECT_EQ(addYear(d("10.06.2024"), -1), d("10.06.2023"));
  EXPECT_TRUE(addYear(Date(), 1).empty());
}

TEST_F(DateTimeTest, NextMarkedWeekdayAndItsLogLines) {
  const std::string monWedFri = "-X-X-X-";
  EXPECT_EQ(qlNxtDay(monWedFri, 'X', 2, log), 2);  // Monday -> Wednesday
  EXPECT_EQ(qlNxtDay(monWedFri, 'X', 6, log), 3);  // Friday -> Monday
  EXPECT_EQ(qlNxtDay("X------", 'X', 1, log), 7);  // Sunday -> next Sunday
  EXPECT_EQ(qlNxtDay("-------", 'X', 3, log), 4);  // nothing marked: 7 - weekday
  EXPECT_EQ(qlNxtDay("-------", 'X', 7, log), 1);  // ... or 1 on a Saturday
  EXPECT_EQ(qlNxtDay("", 'X', 7, log), 1);
  EXPECT_EQ(qlNxtDay("XXXXXXX", 'X', 7, log), 1);  // Saturday -> Sunday
  EXPECT_TRUE(
      lines().starts_with("12:00:30 (QLNxtDay) WeekDays: -X-X-X- Seek: X at: 2\r\n"
                          "12:00:30 (QLNxtDay) Next Day: 2\r\n"
                          "12:00:30 (QLNxtDay) WeekDays: -X-X-X- Seek: X at: 6\r\n"
                          "12:00:30 (QLNxtDay) Next Day: 3\r\n"))
      << lines();
}

TEST(DateHelpers, NextMarkedMonth) {
  EXPECT_EQ(qlNxtMon("--X---------", 'X', 7), 8);  // July -> March
  EXPECT_EQ(qlNxtMon("--X---X-----", 'X', 3), 4);
  EXPECT_EQ(qlNxtMon("-----------X", 'X', 12), 12);
  EXPECT_EQ(qlNxtMon("------------", 'X', 5), 0);
  EXPECT_EQ(qlNxtMon("", 'X', 5), 0);
  EXPECT_EQ(qlNxtMon("XXXXXXXXXXXX", 'X', 12), 1);  // December -> January
}

TEST(DateHelpers, MonthLengthsAndLeapYears) {
  EXPECT_EQ(lastDom(d("01.02.2003")), 28);
  EXPECT_EQ(lastDom(d("28.02.2003")), 28);
  EXPECT_EQ(lastDom(d("10.02.2000")), 29);
  EXPECT_EQ(lastDom(d("10.02.1900")), 28);
  EXPECT_EQ(lastDom(d("15.04.2003")), 30);
  EXPECT_EQ(lastDom(d("15.12.2003")), 31);
  EXPECT_EQ(lastDom(Date()), 0);
  EXPECT_TRUE(isLeep(d("01.01.2024")));
  EXPECT_TRUE(isLeep(d("01.01.2000")));
  EXPECT_FALSE(isLeep(d("01.01.1900")));
  EXPECT_FALSE(isLeep(Date()));
}

TEST(DateHelpers, CalendarWeeksAsGermanCalendarsCountThem) {
  // Week 1 holds the year's first Thursday; the days before it belong to the year before.
  EXPECT_EQ(weekDay(d("07.12.2026")), 50);  // a Monday
  EXPECT_EQ(weekDay(d("06.12.2026")), 49);  // the Sunday before it
  EXPECT_EQ(weekDay(d("01.01.2027")), 53);  // Friday: 2026 has 53 weeks
  EXPECT_EQ(weekDay(d("03.01.2027")), 53);
  EXPECT_EQ(weekDay(d("04.01.2027")), 1);
  EXPECT_EQ(weekDay(d("01.01.2022")), 52);  // Saturday
  EXPECT_EQ(weekDay(d("01.01.2024")), 1);   // Monday
  EXPECT_EQ(weekDay(d("30.12.2024")), 1);   // the Monday of the week of 2 January 2025
  EXPECT_EQ(weekDay(d("31.12.9999")), 52);
  EXPECT_EQ(weekDay(d("01.01.0001")), 1);
  EXPECT_EQ(weekDay(Date()), 0);
}

TEST(DateHelpers, GermanWeekdayNames) {
  EXPECT_EQ(qlCDow(d("17.03.2024")), "Sonntag");
  EXPECT_EQ(qlCDow(d("18.03.2024")), "Montag");
  EXPECT_EQ(qlCDow(d("23.03.2024")), "Samstag");
  EXPECT_EQ(qlCDow(d("31.12.2004")), "Freitag");
  EXPECT_EQ(qlCDow(Date()), "");
}

TEST_F(DateTimeTest, MinutesElapsedSinceAMoment) {
  EXPECT_EQ(qlMinDiff(d("10.06.2024"), "11:30", clock, log), 30);
  EXPECT_EQ(qlMinDiff(d("09.06.2024"), "23:59", clock, log), 721);
  EXPECT_EQ(qlMinDiff(d("01.06.2024"), "12:00", clock, log), 9 * 1440);
  EXPECT_EQ(qlMinDiff(d("10.06.2024"), "12:10", clock, log), -10);
  EXPECT_TRUE(lines().starts_with(
      "12:00:30 (qlMinDiff) Minuten zwischen 10.06.2024 - 11:30 und 10.06.2024 - 12:00:30 "
      "ermitteln\r\n"
      "12:00:30 (qlMinDiff) Differenz: 30 Min.\r\n"))
      << lines();
}

TEST(DateTimeElapsed, MinutesSinceAMomentAcrossMidnight) {
  test::LogbookCapture cap("02.03.2024", "00:10:30");
  EXPECT_EQ(qlMinDiff(d("01.03.2024"), "23:50", cap.clock(), cap.log()), 20);
  EXPECT_EQ(qlMinDiff(d("02.03.2024"), "00:00", cap.clock(), cap.log()), 10);
  EXPECT_TRUE(cap.has("qlMinDiff",
                      "Minuten zwischen 01.03.2024 - 23:50 und 02.03.2024 - 00:10:30 ermitteln"));
  EXPECT_TRUE(cap.has("qlMinDiff", "Differenz: 20 Min."));
}

Moment moment(const char* date, int h, int m, int isDst) {
  return Moment{Date::fromDisplay(date), h * 3600 + m * 60, isDst};
}

TEST_F(DateTimeTest, MinutesAcrossTheClockChangesAreRealMinutes) {
  test::BerlinTime berlin;
  // 31 March 2024: 02:00 becomes 03:00. A trigger at 01:55 missed until 03:05 is 10 minutes
  // late, not 70.
  clock.set(moment("31.03.2024", 3, 5, 1));
  EXPECT_EQ(qlMinDiff(d("31.03.2024"), "01:55", clock, log), 10);
  // 27 October 2024: 03:00 becomes 02:00 again. From 01:50 to 02:10 of the second pass are 80
  // minutes; to 02:10 of the first pass 20.
  clock.set(moment("27.10.2024", 2, 10, 0));
  EXPECT_EQ(qlMinDiff(d("27.10.2024"), "01:50", clock, log), 80);
  clock.set(moment("27.10.2024", 2, 10, 1));
  EXPECT_EQ(qlMinDiff(d("27.10.2024"), "01:50", clock, log), 20);
  // An ordinary day is untouched.
  clock.set(moment("10.06.2024", 12, 0, 1));
  EXPECT_EQ(qlMinDiff(d("09.06.2024"), "23:59", clock, log), 721);

  // 15 real minutes after 02:50 of the first pass is 02:05 of the second.
  const Moment later = addRealMinutes(moment("27.10.2024", 2, 50, 1), 15);
  EXPECT_EQ(later.date, d("27.10.2024"));
  EXPECT_EQ(formatTimeOfDay(later.secondsOfDay), "02:05:00");
  EXPECT_EQ(later.isDst, 0);
  EXPECT_EQ(formatTimeOfDay(addRealMinutes(moment("31.03.2024", 1, 55, 0), 10).secondsOfDay),
            "03:05:00");
}

}  // namespace
}  // namespace zrv
