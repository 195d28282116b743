// The due-check timer: a window timer whose action (one due check) runs on the window thread
// every NS_TIMER seconds while it is started. Pausing it around every modal window keeps ticks
// from overlapping.
#pragma once

namespace zrv {

class TimerPort {
 public:
  virtual ~TimerPort() = default;
  virtual void start() = 0;
  virtual void stop() = 0;
  virtual bool running() const = 0;
};

}  // namespace zrv
