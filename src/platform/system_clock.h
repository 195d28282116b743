// The machine's clock in local time: what the program passes wherever the rules ask for
// "today" and "now".
#pragma once

#include "store/base/clock.h"

namespace zrv {

class SystemClock : public Clock {
 public:
  Moment now() const override;
};

}  // namespace zrv
