// A request from outside to end the program (Ctrl+C, a kill, the session hanging up). The
// program polls it and then ends the normal way, through its main window's close handler.
#pragma once

namespace zrv {

// From now on SIGINT, SIGTERM and SIGHUP only set the request.
void watchStopSignals();
bool stopRequested();

}  // namespace zrv
