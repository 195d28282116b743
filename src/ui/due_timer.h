// The due-check timer on the window thread: a wx timer that runs its action every interval
// while started. A tick that arrives while a modal window is open is let pass: whoever opened
// the window resumes the cycle after it. Besides the periodic ticks one more runs at the next
// appointment's trigger (checkAt), and the first start runs a tick at once. An exception that
// escapes a tick goes to the run's exception boundary under "Timer", which halts the timer while
// the error is handled.
#pragma once

#include <wx/timer.h>

#include <chrono>
#include <functional>
#include <optional>

#include "ports/timer_port.h"
#include "widgets/modal_windows.h"

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
  void checkAt(std::optional<std::chrono::milliseconds> delay) override;
  int intervalMs() const { return intervalMs_; }
  // Stops the timer while an error is handled: no appointment is checked until resume().
  void halt();
  // Lifts halt() and starts the timer again when it ran before.
  void resume();
  bool halted() const { return halted_; }

 private:
  void tick();
  void armTriggerCheck();

  wxTimer timer_;
  wxTimer triggerTimer_;  // one shot at the next trigger
  std::optional<std::chrono::steady_clock::time_point> triggerAt_;
  bool started_ = false;
  int intervalMs_;
  bool halted_ = false;
  bool wasRunning_ = false;
  std::function<void()> action_;
};

}  // namespace zrv
