// The machine's clock in local time: what the program passes wherever the rules ask for
// "today" and "now".
#pragma once

#include <cstdint>

#include "store/base/clock.h"

namespace zrv {

class SystemClock : public Clock {
 public:
  Moment now() const override;
};

// A moment given in seconds since 1970-01-01 00:00 UTC, in local wall-clock time (the zone of
// the TZ variable or the system's).
Moment localMomentAt(std::int64_t utcSeconds);
// Now, in seconds since 1970-01-01 00:00 UTC.
std::int64_t utcSecondsNow();

}  // namespace zrv
