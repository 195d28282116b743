#include "support/virtual_display.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace zrv::test {
namespace {

// Reads the display number Xvfb writes to -displayfd, waiting at most 10 s.
std::string readDisplayNumber(int fd) {
  std::string text;
  for (int waited = 0; waited < 100 && text.find('\n') == std::string::npos; ++waited) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 100) <= 0) continue;
    char buf[32];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n <= 0) break;
    text.append(buf, static_cast<std::size_t>(n));
  }
  const auto nl = text.find('\n');
  return nl == std::string::npos ? std::string() : text.substr(0, nl);
}

}  // namespace

VirtualDisplay::VirtualDisplay() {
  // Their chatter stays out of the test's output.
  const int quiet = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return;
  server_ =
      std::make_unique<Process>(std::vector<std::string>{"Xvfb", "-displayfd", "3", "-screen", "0",
                                                         "1280x1024x24", "-nolisten", "tcp"},
                                EnvChanges{}, quiet, fds[1]);
  ::close(fds[1]);
  const std::string number = readDisplayNumber(fds[0]);
  ::close(fds[0]);
  if (number.empty()) {
    ::close(quiet);
    return;
  }
  name_ = ":" + number;
  windowManager_ = std::make_unique<Process>(std::vector<std::string>{"openbox", "--sm-disable"},
                                             environment(), quiet);
  ::close(quiet);
  // The window manager is in charge once wmctrl can ask it for its name.
  ready_ = waitUntil(
      [&] {
        return run({"wmctrl", "-m"}, environment(), std::chrono::seconds(5)).status == 0;
      },
      std::chrono::seconds(15));
}

VirtualDisplay::~VirtualDisplay() {
  windowManager_.reset();
  server_.reset();
}

EnvChanges VirtualDisplay::environment() const {
  return EnvChanges{{"DISPLAY", name_},
                    {"GDK_BACKEND", "x11"},
                    {"NO_AT_BRIDGE", "1"},
                    {"WAYLAND_DISPLAY", std::nullopt}};
}

}  // namespace zrv::test
