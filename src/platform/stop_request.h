// A request from outside to end the program (Ctrl+C, a kill, the session hanging up). The
// program then ends the normal way, through its main window's close handler.
#pragma once

#include <functional>

namespace zrv {

// From now on SIGINT, SIGTERM and SIGHUP only set the request. When `onRequest` is given it is
// called for each such signal on a thread of its own, at once, also while the program sleeps
// in its event loop (the caller hands the request over to its window thread).
void watchStopSignals(std::function<void()> onRequest = {});
bool stopRequested();

}  // namespace zrv
