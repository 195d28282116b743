// The due-check timer never runs with an interval it cannot use.
#include <gtest/gtest.h>

#include "reminder/timer_interval.h"
#include "support/logbook_capture.h"

namespace zrv {
namespace {

TEST(DueTimerInterval, UnusableSettingsBecomeTheNearestUsableIntervalWithALogbookLine) {
  test::LogbookCapture capture;
  Logbook& log = capture.log();
  EXPECT_EQ(dueTimerSeconds(30, log), 30);
  EXPECT_EQ(dueTimerSeconds(1, log), 1);
  EXPECT_TRUE(capture.lines().empty());
  EXPECT_EQ(dueTimerSeconds(0, log), kMinTimerSeconds);
  EXPECT_EQ(dueTimerSeconds(-5, log), kMinTimerSeconds);
  EXPECT_EQ(dueTimerSeconds(100000, log), kMaxTimerSeconds);
  EXPECT_TRUE(capture.has("Timer", "Timer=0 ist nicht nutzbar, es gilt 1 Sekunden"));
  EXPECT_TRUE(capture.has("Timer", "Timer=100000 ist nicht nutzbar, es gilt 3600 Sekunden"));
}

}  // namespace
}  // namespace zrv
