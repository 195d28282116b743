// The exception boundary: work that fails is handed to the boundary with its place, run again
// as long as the boundary says so, and skipped otherwise; without a boundary it throws on.
#include "app/escaped_error.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace zrv {
namespace {

struct ScriptedBoundary : ExceptionBoundary {
  ErrorChoice escaped(const ErrorPlace& place) override {
    seen.push_back(std::string(place.where) + ": " + currentExceptionText() +
                   (place.canRetry ? " R" : "") + (place.canDefault ? " D" : ""));
    const ErrorChoice c = answers.front();
    answers.erase(answers.begin());
    return c;
  }
  std::vector<ErrorChoice> answers;
  std::vector<std::string> seen;
};

TEST(EscapedError, FailedWorkRunsAgainUntilTheBoundarySkipsIt) {
  ScriptedBoundary boundary;
  boundary.answers = {ErrorChoice::Retry, ErrorChoice::Retry, ErrorChoice::Default};
  ScopedExceptionBoundary scope(boundary);
  int runs = 0;
  runRetrying("Befehl", [&] {
    ++runs;
    throw std::runtime_error("Index kaputt");
  });
  EXPECT_EQ(runs, 3);
  EXPECT_EQ(boundary.seen, std::vector<std::string>(3, "Befehl: Index kaputt R D"));

  boundary.answers = {ErrorChoice::Retry};
  runs = 0;
  runRetrying("Timer", [&] {
    if (++runs == 1) throw 42;
  });
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(boundary.seen.back(), "Timer: unbekannte Ursache R D");
}

TEST(EscapedError, WithoutABoundaryTheErrorGoesOn) {
  EXPECT_THROW(runRetrying("Befehl", [] { throw std::runtime_error("x"); }), std::runtime_error);
}

}  // namespace
}  // namespace zrv
