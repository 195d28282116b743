// One pass of the program's wait loops, as the core sees it.
#pragma once

namespace zrv {

// One pass of a wait loop: waits about a second (a key press ends it early) and lets pending
// window messages run. Tests pass one that returns at once.
class WaitPort {
 public:
  virtual ~WaitPort() = default;
  virtual void waitOneSecond() = 0;
};

}  // namespace zrv
