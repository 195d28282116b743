// Ending the program on a request from outside (a term, Ctrl+C, a hang-up) the way a user would:
// the open modal windows are closed without an action, then the main window, so that its close
// handler and the shut-down run as after a click on its close box.
#pragma once

#include <wx/timer.h>

#include <functional>

class wxWindow;

namespace zrv {

// Whether the program's own work is inside an event loop of its own (a modal window, a wait):
// that work goes on with the main window afterwards, so the window must not close before.
bool workInNestedLoop();

class StopSequence {
 public:
  // `mainWindow` finds the window to close; null while there is none (yet).
  explicit StopSequence(std::function<wxWindow*()> mainWindow);
  StopSequence(const StopSequence&) = delete;
  StopSequence& operator=(const StopSequence&) = delete;

  // Takes the next step at once and the further ones on a timer until the main window is
  // closed: modal windows are ended and looked at again, work that waits is let finish, and a
  // request before the main window exists is kept for it.
  void request();
  // Whether a request is still being carried out.
  bool pending() const { return timer_.IsRunning(); }
  // Forgets a request (the program ends anyway).
  void cancel() { timer_.Stop(); }

 private:
  void step();

  std::function<wxWindow*()> mainWindow_;
  wxTimer timer_;
};

}  // namespace zrv
