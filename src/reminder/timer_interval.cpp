#include "reminder/timer_interval.h"

#include <algorithm>
#include <string>

#include "store/base/logbook.h"

namespace zrv {

int dueTimerSeconds(int NS_TIMER, Logbook& log) {
  const int seconds = std::clamp(NS_TIMER, kMinTimerSeconds, kMaxTimerSeconds);
  if (seconds != NS_TIMER) {
    log.log("Timer", "Timer=" + std::to_string(NS_TIMER) + " ist nicht nutzbar, es gilt " +
                         std::to_string(seconds) + " Sekunden");
  }
  return seconds;
}

}  // namespace zrv
