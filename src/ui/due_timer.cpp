#include "ui/due_timer.h"

#include <wx/dialog.h>
#include <wx/modalhook.h>

#include <set>

#include "app/escaped_error.h"

namespace zrv {
namespace {

class ModalCounter : public wxModalDialogHook {
 public:
  int open() const { return static_cast<int>(open_.size()); }

 protected:
  int Enter(wxDialog* dialog) override {
    open_.insert(dialog);
    return wxID_NONE;
  }
  // A window that opened before the counting began was not counted and is not taken off.
  void Exit(wxDialog* dialog) override {
    if (const auto it = open_.find(dialog); it != open_.end()) open_.erase(it);
  }

 private:
  std::multiset<const wxDialog*> open_;
};

ModalCounter& modalCounter() {
  static ModalCounter* counter = [] {
    auto* c = new ModalCounter;  // lives for the run: the hook list keeps a pointer to it
    c->Register();
    return c;
  }();
  return *counter;
}

}  // namespace

int openModalWindows() {
  return modalCounter().open();
}

DueTimer::DueTimer(int seconds, std::function<void()> action)
    : intervalMs_(seconds * 1000), action_(std::move(action)) {
  modalCounter();
  timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { tick(); });
}

void DueTimer::tick() {
  if (halted_ || openModalWindows() > 0 || !action_) return;
  try {
    action_();
  } catch (...) {
    halt();
    handOverEscaped("Timer");
  }
}

DueTimer::~DueTimer() {
  timer_.Stop();
}

void DueTimer::start() {
  if (!halted_ && !timer_.IsRunning()) timer_.Start(intervalMs_);
}

void DueTimer::halt() {
  halted_ = true;
  timer_.Stop();
}

void DueTimer::stop() {
  timer_.Stop();
}

}  // namespace zrv
