// The due-check timer on the window thread: a wx timer that runs its action every interval
// while started. A tick that arrives while a modal window is open is let pass: whoever opened
// the window resumes the cycle after it. An exception that escapes a tick halts the timer and
// goes to the run's exception boundary under "Timer".
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

  // Does nothing once the timer is halted.
  void start() override;
  void stop() override;
  bool running() const override { return timer_.IsRunning(); }
  int intervalMs() const { return intervalMs_; }
  // Stops the timer for the rest of the run: after an error no appointment is checked again.
  void halt();
  bool halted() const { return halted_; }

 private:
  void tick();

  wxTimer timer_;
  int intervalMs_;
  bool halted_ = false;
  std::function<void()> action_;
};

// Counts the modal windows open right now (message boxes included). Counting begins with the
// first call (or the first DueTimer), so the program calls it before any window can open.
int openModalWindows();

}  // namespace zrv
