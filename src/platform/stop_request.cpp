#include "platform/stop_request.h"

#include <csignal>
#include <initializer_list>

namespace zrv {
namespace {

volatile std::sig_atomic_t requested = 0;

extern "C" void noteStopRequest(int) {
  requested = 1;
}

}  // namespace

void watchStopSignals() {
  struct sigaction action {};
  action.sa_handler = noteStopRequest;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : {SIGINT, SIGTERM, SIGHUP})
    sigaction(sig, &action, nullptr);
}

bool stopRequested() {
  return requested != 0;
}

}  // namespace zrv
