// A logbook that writes into a temporary directory, for tests that check which lines an
// operation logs. Lines come back as "(place) text", without the time stamp.
#pragma once

#include <string>
#include <vector>

#include "store/base/clock.h"
#include "store/base/logbook.h"
#include "support/test_dir.h"

namespace zrv::test {

// The lines of a logbook file as "(place) text" (UTF-8, without the time stamp), leaving out
// the first `skip` lines.
std::vector<std::string> readLogbookLines(const std::filesystem::path& file, int skip);

class LogbookCapture {
 public:
  LogbookCapture();
  explicit LogbookCapture(const std::string& date, const std::string& time = "12:00:00");

  Logbook& log() { return log_; }
  FixedClock& clock() { return clock_; }
  const TestDir& dir() const { return dir_; }
  // The lines written since construction (or since the last clear), as UTF-8.
  std::vector<std::string> lines() const;
  // Whether some line equals "(place) text".
  bool has(const std::string& place, const std::string& text) const;
  void clear();

 private:
  TestDir dir_;
  FixedClock clock_;
  Logbook log_;
};

}  // namespace zrv::test
