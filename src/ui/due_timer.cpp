#include "ui/due_timer.h"

#include <algorithm>

#include "app/escaped_error.h"
#include "widgets/modal_windows.h"

namespace zrv {
namespace {

// The one-shot tick comes this much after the trigger, so that the clock surely shows its minute.
constexpr auto kAfterTrigger = std::chrono::milliseconds(100);
// A trigger further ahead is checked by the periodic ticks first (a timer's delay is an int).
constexpr auto kLongestDelay = std::chrono::hours(24);

}  // namespace

DueTimer::DueTimer(int seconds, std::function<void()> action)
    : intervalMs_(seconds * 1000), action_(std::move(action)) {
  (void)openModalWindows();  // the counting begins before any window can open
  timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { tick(); });
  triggerTimer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
    // A modal window opened without pausing the timer (a message box): again once it is closed.
    if (openModalWindows() > 0) {
      triggerTimer_.StartOnce(1000);
      return;
    }
    triggerAt_.reset();
    tick();
  });
}

void DueTimer::tick() {
  if (halted_ || openModalWindows() > 0 || !action_) return;
  runRetrying("Timer", action_);
}

DueTimer::~DueTimer() {
  timer_.Stop();
  triggerTimer_.Stop();
}

void DueTimer::start() {
  if (halted_ || timer_.IsRunning()) return;
  timer_.Start(intervalMs_);
  // The first check runs right after start-up, not one interval later.
  if (!started_) triggerAt_ = std::chrono::steady_clock::now();
  started_ = true;
  armTriggerCheck();
}

void DueTimer::checkAt(std::optional<std::chrono::milliseconds> delay) {
  triggerAt_.reset();
  if (delay) {
    triggerAt_ = std::chrono::steady_clock::now() +
                 std::min<std::chrono::milliseconds>(*delay, kLongestDelay);
  }
  if (timer_.IsRunning()) armTriggerCheck();
}

void DueTimer::armTriggerCheck() {
  triggerTimer_.Stop();
  if (!triggerAt_) return;
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      *triggerAt_ - std::chrono::steady_clock::now());
  const auto wait = std::max(left, std::chrono::milliseconds(0)) + kAfterTrigger;
  triggerTimer_.StartOnce(static_cast<int>(wait.count()));
}

void DueTimer::halt() {
  if (!halted_) wasRunning_ = timer_.IsRunning();
  halted_ = true;
  timer_.Stop();
  triggerTimer_.Stop();
}

void DueTimer::resume() {
  halted_ = false;
  if (wasRunning_) start();
}

void DueTimer::stop() {
  timer_.Stop();
  triggerTimer_.Stop();
}

}  // namespace zrv
