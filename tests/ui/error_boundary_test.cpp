// The exception boundary's routes on the window thread: a call made after an event and a due
// check hand what escapes them to the run's boundary under their place (the tick may run again,
// the call only be skipped), and the window thread goes on with its next event.
#include <gtest/gtest.h>

#include <stdexcept>

#include "app/escaped_error.h"
#include "ui/due_timer.h"
#include "ui_test_util.h"
#include "widgets/call_after.h"

namespace zrv {
namespace {

struct RecordingBoundary : ExceptionBoundary {
  ErrorChoice escaped(const ErrorPlace& place) override {
    seen.push_back(std::string(place.where) + ": " + currentExceptionText() +
                   (place.canRetry ? " R" : "") + (place.canDefault ? " D" : ""));
    return ErrorChoice::Default;
  }
  std::vector<std::string> seen;
};

TEST(ExceptionBoundary, ACallAfterAndATickHandWhatEscapesToTheBoundary) {
  RecordingBoundary boundary;
  ScopedExceptionBoundary scope(boundary);
  bool nextRan = false;
  callAfter(*wxTheApp, [] { throw std::runtime_error("später kaputt"); });
  callAfter(*wxTheApp, [&] { nextRan = true; });
  EXPECT_TRUE(test::pumpUntil([&] { return nextRan; }, 5000));

  DueTimer timer(1, [] { throw std::runtime_error("Tick kaputt"); });
  timer.start();
  EXPECT_TRUE(test::pumpUntil([&] { return boundary.seen.size() == 2; }, 5000));
  EXPECT_EQ(boundary.seen,
            (std::vector<std::string>{"Hauptschleife: später kaputt D", "Timer: Tick kaputt R D"}));
  // The error window's handling halts the timer and lets it go on where it ran before.
  timer.halt();
  timer.start();
  EXPECT_FALSE(timer.running());
  timer.resume();
  EXPECT_TRUE(timer.running());
}

}  // namespace
}  // namespace zrv
