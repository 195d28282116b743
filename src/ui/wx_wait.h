// One pass of the wake-up wait loop on the window thread: about a second in which the window
// stays responsive; a key press ends it early.
#pragma once

#include "reminder/wake_up_port.h"

namespace zrv {

class WxWait : public WaitPort {
 public:
  void waitOneSecond() override;
};

}  // namespace zrv
