#include "platform/system_clock.h"

#include <ctime>

namespace zrv {

Moment localMomentAt(std::int64_t utcSeconds) {
  const auto t = static_cast<std::time_t>(utcSeconds);
  std::tm local{};
  if (!::localtime_r(&t, &local)) return Moment{};
  const auto date = Date::fromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  // A leap second (tm_sec 60) counts as the last second of its minute.
  const int seconds =
      local.tm_hour * 3600 + local.tm_min * 60 + (local.tm_sec > 59 ? 59 : local.tm_sec);
  return Moment{date.value_or(Date()), seconds, local.tm_isdst > 0 ? 1 : 0};
}

std::int64_t utcSecondsNow() {
  return static_cast<std::int64_t>(std::time(nullptr));
}

Moment SystemClock::now() const {
  return localMomentAt(utcSecondsNow());
}

}  // namespace zrv
