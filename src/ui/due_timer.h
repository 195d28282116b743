// The due-check timer on the window thread: a wx timer that runs its action every interval
// while started. A tick that arrives while a modal window is open is let pass: whoever opened
// the window resumes the cycle after it.
#pragma once

#include <wx/timer.h>

#include <functional>

#include "ports/timer_port.h"

namespace zrv {

class DueTimer : public TimerPort {
 public:
  // `seconds` at least 1 (see dueTimerSeconds).
  DueTimer(int seconds, std::function<void()> action);
  ~DueTimer() override;
  DueTimer(const DueTimer&) = delete;
  DueTimer& operator=(const DueTimer&) = delete;

  void start() override;
  void stop() override;
  bool running() const override { return timer_.IsRunning(); }
  int intervalMs() const { return intervalMs_; }

 private:
  wxTimer timer_;
  int intervalMs_;
  std::function<void()> action_;
};

// Counts the modal windows open right now (message boxes included). Counting begins with the
// first call (or the first DueTimer), so the program calls it before any window can open.
int openModalWindows();

}  // namespace zrv
