// The waits of the window thread: one pass of the wake-up wait loop (about a second in which the
// window stays responsive; a key press ends it early), and the wait while a mail goes out (windows
// keep repainting and resizing, while clicks, keys and timers wait until the mail is done).
#pragma once

#include "ports/wait_port.h"

namespace zrv {

class WxWait : public WaitPort {
 public:
  void waitOneSecond() override;
  void whileWaiting() override;
};

// Whether a wait runs right now. The work that waits goes on after it, using the main window,
// so the main window must not be closed in the meantime (as while a modal window is open).
bool waitRunning();

}  // namespace zrv
