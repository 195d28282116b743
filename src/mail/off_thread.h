// Work that would block the window runs on a thread of its own while the window thread waits
// for it and keeps its window painted.
#pragma once

#include <functional>

namespace zrv {

// What the window thread does while it waits: the program lets its windows repaint (user input
// and timers wait); tests count the calls.
class ResponsiveWait {
 public:
  virtual ~ResponsiveWait() = default;
  // Called again and again, about every 20 ms, until the work is done.
  virtual void whileWaiting() = 0;
};

// Runs `job` on a new thread, calls `wait.whileWaiting()` on this thread until it has ended and
// returns its result. `job` must not touch what the window thread uses.
int runOffThread(const std::function<int()>& job, ResponsiveWait& wait);

}  // namespace zrv
