// The clock every "today" and "now" of the program goes through. The program passes the
// system clock; tests pass a scripted one.
#pragma once

#include <string>

#include "store/base/date.h"

namespace zrv {

struct Moment {
  Date date;
  int secondsOfDay = 0;  // 0 .. 86399, local wall-clock time
  // Whether summer time is in force (1), standard time (0), or unknown (-1). Tells the two
  // passes of the hour that the autumn clock change repeats apart.
  int isDst = -1;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Moment now() const = 0;

  Date today() const { return now().date; }
  // The time of day as "HH:MM:SS".
  std::string timeText() const;
  // The time of day as "HH:MM".
  std::string hhmm() const { return timeText().substr(0, 5); }
};

// A clock that stands still until it is set or advanced: for tests and benchmarks.
class FixedClock : public Clock {
 public:
  explicit FixedClock(Moment m) : moment_(m) {}
  // date "dd.mm.yyyy", time "HH:MM" or "HH:MM:SS"
  FixedClock(const std::string& date, const std::string& time);
  Moment now() const override { return moment_; }
  void set(Moment m) { moment_ = m; }
  void set(const std::string& date, const std::string& time);
  void advance(long seconds);

 private:
  Moment moment_;
};

// Formats seconds since midnight as "HH:MM:SS".
std::string formatTimeOfDay(int secondsOfDay);

}  // namespace zrv
