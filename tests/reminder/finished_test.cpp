// When dealing with an appointment finishes it, and the end date of a repeating series.
#include "reminder/finished.h"

#include <gtest/gtest.h>

#include "reminder/recurrence.h"
#include "support/logbook_capture.h"

namespace zrv {
namespace {

Date d(int y, int m, int day) {
  return *Date::fromYmd(y, m, day);
}

Appointment series(int kind, Date date, Date end, const std::string& time = "10:00") {
  Appointment a;
  a.VORLAGE = kind;
  a.DATE = date;
  a.TIME = a.TIMEVON = time;
  a.REPDATE = end;
  a.WEEKDAYS = "XXXXXXX";
  a.MONTH = "XXXXXXXXXXXX";
  a.WEKINTVALL = 1;
  return a;
}

TEST(Finished, OnceOnlyUnlessPostponedWithLeadTimeUnderVwOrig) {
  test::LogbookCapture cap;
  Appointment a = series(kOnce, d(2024, 5, 15), d(2024, 5, 15));
  EXPECT_TRUE(isFinished(a, false, cap.log()));
  EXPECT_TRUE(isFinished(a, true, cap.log()));
  a.TIME = "09:45";  // a postponement with a lead time of 15 minutes
  EXPECT_TRUE(isFinished(a, false, cap.log()));
  EXPECT_FALSE(isFinished(a, true, cap.log()));
  // Moving it on once makes TIME equal TIMEVON again: then it is finished.
  qlGenTerm(a, cap.log());
  EXPECT_TRUE(isFinished(a, true, cap.log()));
}

TEST(Finished, RepeatingEndsWhenTheNextOccurrenceFallsAfterTheEndDate) {
  test::LogbookCapture cap;
  const Date end = d(2024, 6, 30);
  EXPECT_FALSE(isFinished(series(kWeekly, d(2024, 6, 22), end), false, cap.log()));
  EXPECT_FALSE(isFinished(series(kWeekly, d(2024, 6, 23), end), false, cap.log()));  // next = end
  EXPECT_TRUE(isFinished(series(kWeekly, d(2024, 6, 24), end), false, cap.log()));
  EXPECT_TRUE(isFinished(series(kDaily, end, end), false, cap.log()));
  EXPECT_TRUE(isFinished(series(kMonthly, d(2024, 6, 15), end), false, cap.log()));
  EXPECT_TRUE(isFinished(series(kYearly, d(2024, 1, 1), end), false, cap.log()));
  // Hourly: the last hour of the end day is the last occurrence.
  EXPECT_FALSE(isFinished(series(kHourly, end, end, "22:00"), false, cap.log()));
  EXPECT_TRUE(isFinished(series(kHourly, end, end, "23:30"), false, cap.log()));
}

TEST(Finished, DailyWithAGapInTheMaskLooksAtTheNextMarkedDay) {
  test::LogbookCapture cap;
  // Friday 28 June, end Sunday 30 June, only weekdays marked: next is Monday 1 July.
  Appointment a = series(kDaily, d(2024, 6, 28), d(2024, 6, 30));
  a.WEEKDAYS = "-XXXXX-";
  EXPECT_TRUE(isFinished(a, false, cap.log()));
}

TEST(Finished, SeriesWithoutEndDateNeverEnds) {
  test::LogbookCapture cap;
  EXPECT_FALSE(isFinished(series(kWeekly, d(2099, 12, 31), Date()), false, cap.log()));
}

TEST(Finished, RepeatingAppointmentDoesNotGoOnAfterItsEndDate) {
  // Deals with a weekly series the way every flow does: finished ones stop, others move on.
  test::LogbookCapture cap;
  Appointment a = series(kWeekly, d(2024, 6, 3), d(2024, 6, 30));
  std::vector<Date> shown{a.DATE};
  while (!isFinished(a, false, cap.log())) {
    qlGenTerm(a, cap.log());
    shown.push_back(a.DATE);
    ASSERT_LT(shown.size(), 10u);
  }
  EXPECT_EQ(shown,
            (std::vector<Date>{d(2024, 6, 3), d(2024, 6, 10), d(2024, 6, 17), d(2024, 6, 24)}));
}

}  // namespace
}  // namespace zrv
