// The waits of the window thread, as the core sees them: one pass of a wait loop, and the wait
// while work runs on a thread of its own (runOffThread, platform/off_thread.h).
#pragma once

namespace zrv {

// The program lets its windows stay responsive in both; tests pass one that returns at once.
class WaitPort {
 public:
  virtual ~WaitPort() = default;
  // One pass of a wait loop: waits about a second (a key press ends it early) and lets pending
  // window messages run.
  virtual void waitOneSecond() = 0;
  // While work runs off the window thread: called again and again, about every 20 ms, until it
  // is done. Windows keep repainting and resizing; clicks, keys and timers wait.
  virtual void whileWaiting() = 0;
};

}  // namespace zrv
