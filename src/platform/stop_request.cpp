#include "platform/stop_request.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>
#include <thread>

namespace zrv {
namespace {

volatile std::sig_atomic_t requested = 0;
int wakePipe[2] = {-1, -1};  // the signal handler writes a byte, the watcher thread reads it

extern "C" void noteStopRequest(int) {
  const int savedErrno = errno;
  requested = 1;
  if (wakePipe[1] >= 0) {
    const char byte = 's';
    [[maybe_unused]] const ssize_t n = ::write(wakePipe[1], &byte, 1);
  }
  errno = savedErrno;
}

void startWatcher(std::function<void()> onRequest) {
  if (wakePipe[0] < 0 && ::pipe2(wakePipe, O_CLOEXEC) != 0) return;
  std::thread([fd = wakePipe[0], onRequest = std::move(onRequest)] {
    char byte;
    while (true) {
      const ssize_t n = ::read(fd, &byte, 1);
      if (n == 1) {
        onRequest();
      } else if (n == 0 || errno != EINTR) {
        return;
      }
    }
  }).detach();
}

}  // namespace

void watchStopSignals(std::function<void()> onRequest) {
  if (onRequest) startWatcher(std::move(onRequest));
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
