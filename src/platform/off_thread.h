// Work that would block the window (a mail, a download) runs on a thread of its own while the
// window thread waits for it and keeps its window painted.
#pragma once

#include <functional>

#include "ports/wait_port.h"

namespace zrv {

// Runs `job` on a new thread, calls `wait.whileWaiting()` on this thread until it has ended and
// returns its result. `job` must not touch what the window thread uses.
int runOffThread(const std::function<int()>& job, WaitPort& wait);

}  // namespace zrv
