#include "store/base/clock.h"

#include <cstdio>
#include <cstdlib>

namespace zrv {

std::string formatTimeOfDay(int s) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", (s / 3600) % 24, (s / 60) % 60, s % 60);
  return buf;
}

std::string Clock::timeText() const {
  return formatTimeOfDay(now().secondsOfDay);
}

FixedClock::FixedClock(const std::string& date, const std::string& time) {
  set(date, time);
}

void FixedClock::set(const std::string& date, const std::string& time) {
  const int h = std::atoi(time.substr(0, 2).c_str());
  const int m = time.size() >= 5 ? std::atoi(time.substr(3, 2).c_str()) : 0;
  const int s = time.size() >= 8 ? std::atoi(time.substr(6, 2).c_str()) : 0;
  moment_ = Moment{Date::fromDisplay(date), h * 3600 + m * 60 + s};
}

void FixedClock::advance(long seconds) {
  long total = moment_.secondsOfDay + seconds;
  long days = total / 86400;
  total %= 86400;
  if (total < 0) {
    total += 86400;
    --days;
  }
  moment_.date = moment_.date + days;
  moment_.secondsOfDay = static_cast<int>(total);
}

}  // namespace zrv
