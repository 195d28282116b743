// The trigger rule every writer of an appointment applies.
#include "store/appointments/trigger.h"

#include <gtest/gtest.h>

#include "store/base/clock.h"
#include "store/base/logbook.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

class TriggerTest : public ::testing::Test {
 protected:
  test::TestDir dir;
  FixedClock clock{"15.03.2024", "10:00"};
  Logbook log{dir / "Zorvane.Log", "Zorvane", clock};

  Appointment at(const std::string& date, const std::string& time, int warnMin,
                 const std::string& progStart = "") {
    Appointment a;
    a.DATE = Date::fromDisplay(date);
    a.TIME = time;
    a.WARNMIN = warnMin;
    a.PROGSTART = progStart;
    applyTriggerRule(a, log);
    return a;
  }
};

TEST_F(TriggerTest, TriggerIsTheTimeLessTheLeadTime) {
  const Appointment a = at("15.03.2024", "09:30", 15);
  EXPECT_EQ(a.TDATE.toDisplay(), "15.03.2024");
  EXPECT_EQ(a.TTIME, "09:15");
  EXPECT_EQ(a.DATE.toDisplay(), "15.03.2024");  // the appointment itself stays
  EXPECT_EQ(a.TIME, "09:30");
}

TEST_F(TriggerTest, LeadTimeReachesBackOverMidnightAndTheYear) {
  const Appointment a = at("01.01.2024", "00:10", 30);
  EXPECT_EQ(a.TDATE.toDisplay(), "31.12.2023");
  EXPECT_EQ(a.TTIME, "23:40");
  const Appointment b = at("01.03.2024", "00:00", 1440 + 60);
  EXPECT_EQ(b.TDATE.toDisplay(), "28.02.2024");
  EXPECT_EQ(b.TTIME, "23:00");
}

TEST_F(TriggerTest, ProgramStartIsDueAtItsOwnTime) {
  const Appointment a = at("15.03.2024", "09:30:00", 15, ".\\tools\\backup.exe");
  EXPECT_EQ(a.TDATE.toDisplay(), "15.03.2024");
  EXPECT_EQ(a.TTIME, "09:30");  // hours and minutes only
  const Appointment blank = at("15.03.2024", "09:30", 15, "   ");
  EXPECT_EQ(blank.TTIME, "09:15");  // blanks are no program
  const Appointment none = at("15.03.2024", "09:30", 0);
  EXPECT_EQ(none.TTIME, "09:30");
}

TEST(TriggerTimeCompare, ByDateThenMinuteNeverBySeconds) {
  const Date day = Date::fromDisplay("15.03.2024");
  const Moment now{day, 12 * 3600 + 30};                           // 12:00:30
  EXPECT_EQ(TriggerTime::of(day, "12:00"), TriggerTime::at(now));  // the current minute
  EXPECT_EQ(TriggerTime::of(day, "12:00:59"), TriggerTime::of(day, "12:00"));
  EXPECT_LT(TriggerTime::of(day, "09:59"), TriggerTime::of(day, "10:00"));
  EXPECT_GT(TriggerTime::of(day, "12:01"), TriggerTime::at(now));
  EXPECT_LT(TriggerTime::of(day - 1, "23:59"), TriggerTime::of(day, "00:00"));
  EXPECT_LT(TriggerTime::of(Date(), "23:59"), TriggerTime::at(now));  // no date: long past
  EXPECT_EQ(TriggerTime::of(day, "ab:cd"), TriggerTime::of(day, ""));
}

}  // namespace
}  // namespace zrv
