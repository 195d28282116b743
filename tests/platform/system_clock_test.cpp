#include "platform/system_clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <ctime>
#include <future>

#include "platform/program_path.h"
#include "platform/stop_request.h"

namespace zrv {
namespace {

TEST(SystemClock, TellsTheLocalDateAndTime) {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&t, &local);
  const Moment now = SystemClock().now();
  ASSERT_FALSE(now.date.empty());
  // A midnight between the two readings may separate them by one day.
  EXPECT_LE(now.date - *Date::fromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday), 1);
  EXPECT_GE(now.secondsOfDay, 0);
  EXPECT_LT(now.secondsOfDay, 86400);
  EXPECT_EQ(SystemClock().timeText().size(), 8u);
}

TEST(ProgramPath, IsTheRunningTestProgram) {
  const auto p = runningProgramPath();
  ASSERT_TRUE(p.has_value());
  EXPECT_TRUE(p->is_absolute());
  EXPECT_EQ(p->filename(), "platform_tests");
}

TEST(StopRequest, ATerminationSignalOnlySetsTheRequest) {
  watchStopSignals();
  EXPECT_FALSE(stopRequested());
  std::raise(SIGTERM);
  EXPECT_TRUE(stopRequested());
}

// The program sleeps in its event loop until the next tick; a request must not wait for it.
TEST(StopRequest, ASignalIsHandedOverAtOnceOnAThreadOfItsOwn) {
  std::promise<void> told;
  std::atomic<int> calls = 0;
  watchStopSignals([&] {
    if (calls++ == 0) told.set_value();
  });
  std::raise(SIGHUP);
  EXPECT_EQ(told.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_EQ(calls.load(), 1);
}

}  // namespace
}  // namespace zrv
