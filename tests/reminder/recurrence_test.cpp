// Moving appointments to their next occurrence, and the trigger that goes with it.
#include "reminder/recurrence.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/logbook_capture.h"

namespace zrv {
namespace {

Date d(int y, int m, int day) {
  return *Date::fromYmd(y, m, day);
}

Appointment appointment(int kind, Date date, const std::string& time, int warnMin = 0) {
  Appointment a;
  a.VORLAGE = kind;
  a.DATE = date;
  a.TIME = time;
  a.TIMEVON = time;
  a.WARNMIN = warnMin;
  a.REPEAT = 1;
  a.ALARM = true;
  a.LAUTO = true;
  return a;
}

class GenTerm : public ::testing::Test {
 protected:
  test::LogbookCapture cap;
  Appointment advanced(Appointment a) {
    qlGenTerm(a, cap.log());
    return a;
  }
};

TEST_F(GenTerm, OnceOnlyKeepsItsDateAndEndsTheSeries) {
  Appointment a = appointment(kOnce, d(2024, 5, 15), "09:45", 15);
  a.TIMEVON = "10:00";  // postponed with a lead time: TIME and TIMEVON differ
  a.REPDATE = d(2024, 6, 1);
  const Appointment b = advanced(a);
  EXPECT_EQ(b.DATE, d(2024, 5, 15));
  EXPECT_EQ(b.TIME, "10:00");
  EXPECT_EQ(b.REPEAT, 0);
  EXPECT_EQ(b.REPDATE, d(2024, 5, 15));
  EXPECT_FALSE(b.ALARM);
  EXPECT_EQ(b.TDATE, d(2024, 5, 15));
  EXPECT_EQ(b.TTIME, "09:45");
  EXPECT_FALSE(b.LAUTO);
  EXPECT_TRUE(cap.has("GenTermin", "Termin einmal"));
  EXPECT_TRUE(cap.has("GenTermin", "Next: 15.05.2024 09:45"));
}

TEST_F(GenTerm, HourlyCrossesMidnightAndTheYear) {
  const Appointment b = advanced(appointment(kHourly, d(2024, 12, 31), "23:30", 45));
  EXPECT_EQ(b.DATE, d(2025, 1, 1));
  EXPECT_EQ(b.TIME, "00:30");
  EXPECT_EQ(b.TIMEVON, "00:30");
  // The trigger lies in the old year again.
  EXPECT_EQ(b.TDATE, d(2024, 12, 31));
  EXPECT_EQ(b.TTIME, "23:45");
  EXPECT_TRUE(cap.has("GenTermin", "Termin stündlich"));
}

TEST_F(GenTerm, DailyGoesToTheNextMarkedWeekday) {
  Appointment a = appointment(kDaily, d(2024, 5, 17), "08:00");  // a Friday
  a.WEEKDAYS = "-X-X-X-";                                        // Monday, Wednesday, Friday
  const Appointment b = advanced(a);
  EXPECT_EQ(b.DATE, d(2024, 5, 20));
  EXPECT_EQ(b.DATE.dow(), 2);
  EXPECT_EQ(advanced(b).DATE, d(2024, 5, 22));
  EXPECT_TRUE(cap.has("GenTermin", "Termin täglich"));
}

TEST_F(GenTerm, WeeklyIntervalZeroCountsAsOneAndIsStored) {
  Appointment a = appointment(kWeekly, d(2024, 5, 15), "10:00");
  a.WEKINTVALL = 0;
  Appointment b = advanced(a);
  EXPECT_EQ(b.DATE, d(2024, 5, 22));
  EXPECT_EQ(b.WEKINTVALL, 1);
  a.WEKINTVALL = 2;
  EXPECT_EQ(advanced(a).DATE, d(2024, 5, 29));
  // A damaged negative interval must not move the appointment into the past.
  a.WEKINTVALL = -3;
  b = advanced(a);
  EXPECT_EQ(b.DATE, d(2024, 5, 22));
  EXPECT_EQ(b.WEKINTVALL, 1);
}

TEST_F(GenTerm, MonthlyReducesTheDayAndKeepsItReduced) {
  Appointment a = appointment(kMonthly, d(2023, 1, 31), "10:00");
  a.MONTH = "XXXXXXXXXXXX";
  a = advanced(a);
  EXPECT_EQ(a.DATE, d(2023, 2, 28));
  a = advanced(a);
  EXPECT_EQ(a.DATE, d(2023, 3, 28));

  Appointment leap = appointment(kMonthly, d(2024, 1, 31), "10:00");
  leap.MONTH = "XXXXXXXXXXXX";
  EXPECT_EQ(advanced(leap).DATE, d(2024, 2, 29));
}

TEST_F(GenTerm, MonthlyWithOneMarkedMonthSkipsToNextYear) {
  Appointment a = appointment(kMonthly, d(2023, 11, 15), "10:00");
  a.MONTH = "--X---------";  // March only
  a.MONTHDAY = 3;            // not consulted
  EXPECT_EQ(advanced(a).DATE, d(2024, 3, 15));
}

TEST_F(GenTerm, YearlyFromLeapDay) {
  EXPECT_EQ(advanced(appointment(kYearly, d(2024, 2, 29), "10:00")).DATE, d(2025, 2, 28));
  EXPECT_TRUE(cap.has("GenTermin", "Termin jährlich"));
}

TEST_F(GenTerm, UnknownKindOnlyRecomputesTheTrigger) {
  Appointment a = appointment(9, d(2024, 5, 15), "10:00", 30);
  a.TDATE = d(2024, 5, 15);
  a.TTIME = "10:25";  // moved by "Aut&o"
  const Appointment b = advanced(a);
  EXPECT_EQ(b.DATE, a.DATE);
  EXPECT_EQ(b.TTIME, "09:30");
  EXPECT_FALSE(b.LAUTO);
  EXPECT_TRUE(cap.has("GenTermin", "Sonstiges"));
}

TEST_F(GenTerm, ProgramStartAlarmsAtItsOwnTime) {
  Appointment a = appointment(kWeekly, d(2024, 5, 15), "10:00", 15);
  a.PROGSTART = "/usr/bin/backup";
  const Appointment b = advanced(a);
  EXPECT_EQ(b.TDATE, d(2024, 5, 22));
  EXPECT_EQ(b.TTIME, "10:00");
  // Blanks of a padded field do not count as a program.
  a.PROGSTART = "     ";
  EXPECT_EQ(advanced(a).TTIME, "09:45");
}

TEST_F(GenTerm, MonthlyAndYearlyKeepToTheirDayOfMonth) {
  Appointment a = appointment(kMonthly, d(2023, 1, 31), "10:00");
  a.MONTH = "XXXXXXXXXXXX";
  a.MONTHDAY = 31;
  std::vector<Date> dates;
  for (int i = 0; i < 3; ++i) {
    a = advanced(a);
    dates.push_back(a.DATE);
  }
  EXPECT_EQ(dates, (std::vector<Date>{d(2023, 2, 28), d(2023, 3, 31), d(2023, 4, 30)}));
  a.MONTHDAY = 99;  // "Ultimo"
  EXPECT_EQ(advanced(a).DATE, d(2023, 5, 31));
  // A date moved off its day of month (by hand, say) keeps its own day.
  Appointment moved = appointment(kMonthly, d(2023, 1, 15), "10:00");
  moved.MONTH = "XXXXXXXXXXXX";
  moved.MONTHDAY = 1;
  EXPECT_EQ(advanced(moved).DATE, d(2023, 2, 15));

  Appointment leap = appointment(kYearly, d(2024, 2, 29), "10:00");
  leap.MONTHDAY = 29;
  dates.clear();
  for (int i = 0; i < 4; ++i) {
    leap = advanced(leap);
    dates.push_back(leap.DATE);
  }
  EXPECT_EQ(dates,
            (std::vector<Date>{d(2025, 2, 28), d(2026, 2, 28), d(2027, 2, 28), d(2028, 2, 29)}));
}

TEST_F(GenTerm, MonthlyWithEmptyOrBlankMaskMovesEveryMonth) {
  for (const char* mask : {"", "            ", "------------"}) {
    Appointment a = appointment(kMonthly, d(2024, 5, 15), "10:00");
    a.MONTH = mask;
    EXPECT_EQ(advanced(a).DATE, d(2024, 6, 15)) << '"' << mask << '"';
  }
  EXPECT_TRUE(cap.has("GenTermin", "Monatsmaske leer - jeder Monat"));
}

// Friday 14 June 2024 17:00, hourly; back on Monday at 08:30.
TEST(GenTermFromNow, OverdueHourlySeriesSkipsToItsFirstOccurrenceAhead) {
  test::LogbookCapture cap("17.06.2024", "08:30:00");
  Appointment a = appointment(kHourly, d(2024, 6, 14), "17:00");
  EXPECT_EQ(missedOccurrences(a, cap.clock()), 63);
  EXPECT_EQ(qlGenTermFromNow(a, cap.clock(), cap.log()), 63);
  EXPECT_EQ(a.DATE, d(2024, 6, 17));
  EXPECT_EQ(a.TIME, "09:00");
  EXPECT_TRUE(
      cap.has("GenTermin", "63 verpasste Wiederholungen übersprungen - Next: 17.06.2024 09:00"));
  EXPECT_LT(cap.lines().size(), 10u);
}

TEST(GenTermFromNow, EndDateStillEndsTheSeriesAndCurrentMinuteIsNotSkipped) {
  test::LogbookCapture cap("01.07.2024", "10:00:00");
  Appointment a = appointment(kWeekly, d(2024, 6, 3), "10:00");
  a.REPDATE = d(2024, 6, 24);
  EXPECT_EQ(qlGenTermFromNow(a, cap.clock(), cap.log()), 2);
  EXPECT_EQ(a.DATE, d(2024, 6, 24));  // its last occurrence, finished from there
  Appointment b = appointment(kWeekly, d(2024, 6, 10), "10:00");
  EXPECT_EQ(qlGenTermFromNow(b, cap.clock(), cap.log()), 2);
  EXPECT_EQ(b.DATE, d(2024, 7, 1));  // due this very minute
  Appointment once = appointment(kOnce, d(2024, 6, 10), "10:00");
  EXPECT_EQ(qlGenTermFromNow(once, cap.clock(), cap.log()), 0);
}

TEST(Trigger, LeadTimeAcrossMidnightMovesTheTriggerDate) {
  test::LogbookCapture cap;
  Appointment a = appointment(kOnce, d(2024, 3, 1), "00:01", 2);
  const Trigger t = triggerOf(a, cap.log());
  EXPECT_EQ(t.date, d(2024, 2, 29));
  EXPECT_EQ(t.time, "23:59");
  a.WARNMIN = 0;
  EXPECT_EQ(triggerOf(a, cap.log()).time, "00:01");
}

}  // namespace
}  // namespace zrv
