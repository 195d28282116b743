// The due-check timer: a window timer whose action (one due check) runs on the window thread
// every NS_TIMER seconds while it is started. Pausing it around every modal window keeps ticks
// from overlapping. Besides the periodic ticks it checks once at the next appointment's trigger.
#pragma once

#include <chrono>
#include <optional>

namespace zrv {

class TimerPort {
 public:
  virtual ~TimerPort() = default;
  virtual void start() = 0;
  virtual void stop() = 0;
  virtual bool running() const = 0;
  // The next appointment's trigger comes `delay` from now: one check of its own then, besides
  // the periodic ones (a later call replaces it; nullopt: no trigger is waiting). The check runs
  // only while the timer runs; one that fell due while it was paused runs when it resumes.
  virtual void checkAt(std::optional<std::chrono::milliseconds> delay) { (void)delay; }
};

}  // namespace zrv
