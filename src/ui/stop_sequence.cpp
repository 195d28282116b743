#include "ui/stop_sequence.h"

#include <wx/dialog.h>

#include "platform/native_dialogs.h"
#include "ui/due_timer.h"
#include "ui/wx_wait.h"

namespace zrv {
namespace {

// How often a request looks again whether the main window may be closed.
constexpr int kRetryMs = 100;

}  // namespace

bool workInNestedLoop() {
  return openModalWindows() > 0 || waitRunning();
}

StopSequence::StopSequence(std::function<wxWindow*()> mainWindow)
    : mainWindow_(std::move(mainWindow)) {
  (void)openModalWindows();  // the counting begins before any window can open
  timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { step(); });
}

void StopSequence::request() {
  if (!timer_.IsRunning()) timer_.Start(kRetryMs);
  step();
}

void StopSequence::step() {
  if (openModalWindows() > 0) {
    // One at a time, from the inside out; a later step goes on once its loop has returned.
    if (wxDialog* d = innermostModalWindow()) (void)endModalWithoutAction(*d);
    return;
  }
  if (workInNestedLoop()) return;
  wxWindow* window = mainWindow_ ? mainWindow_() : nullptr;
  if (!window) return;
  timer_.Stop();
  window->Close(true);
}

}  // namespace zrv
