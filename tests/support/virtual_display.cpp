#include "support/virtual_display.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <filesystem>

namespace zrv::test {
namespace {
using namespace std::chrono_literals;

// Display numbers of our own choice, above those xvfb-run (99 on) and Xvfb's own search
// (0 on) use. Xvfb's search tries the sockets of displays in use on its way, and a client
// connecting to such a display at that moment is refused: a test running beside another one
// on the machine would lose its window manager or its program to that.
constexpr int kFirstDisplay = 200;
constexpr int kDisplayCount = 400;
constexpr int kNumbersTried = 20;
constexpr int kStartsPerPart = 3;

// Reads the display number Xvfb writes to -displayfd once it takes connections; empty when
// Xvfb ends first (the number is taken) or nothing came within `timeout`.
std::string readDisplayNumber(int fd, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  std::string text;
  while (text.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    if (left.count() <= 0) return {};
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    char buf[32];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n <= 0) return {};
    text.append(buf, static_cast<std::size_t>(n));
  }
  return text.substr(0, text.find('\n'));
}

bool displayClaimed(int number) {
  std::error_code ec;
  const std::string n = std::to_string(number);
  return std::filesystem::exists("/tmp/.X" + n + "-lock", ec) ||
         std::filesystem::exists("/tmp/.X11-unix/X" + n, ec);
}

}  // namespace

VirtualDisplay::VirtualDisplay() {
  char file[] = "/tmp/zrvtest-display-XXXXXX";
  chatter_ = ::mkostemp(file, O_CLOEXEC);
  if (chatter_ >= 0) ::unlink(file);
  for (int attempt = 1; attempt <= kStartsPerPart && !ready_; ++attempt) {
    windowManager_.reset();
    server_.reset();
    name_.clear();
    ready_ = startServer() && startWindowManager();
  }
}

VirtualDisplay::~VirtualDisplay() {
  windowManager_.reset();
  server_.reset();
  if (chatter_ >= 0) ::close(chatter_);
}

bool VirtualDisplay::startServer() {
  const int offset = static_cast<int>(::getpid() % kDisplayCount);
  for (int i = 0; i < kNumbersTried; ++i) {
    const int number = kFirstDisplay + (offset + i) % kDisplayCount;
    if (displayClaimed(number)) continue;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    server_ = std::make_unique<Process>(
        std::vector<std::string>{"Xvfb", ":" + std::to_string(number), "-displayfd", "3", "-screen",
                                 "0", "1280x1024x24", "-nolisten", "tcp"},
        EnvChanges{}, chatter_, fds[1]);
    ::close(fds[1]);
    const std::string answer = readDisplayNumber(fds[0], 30s);
    ::close(fds[0]);
    if (answer == std::to_string(number)) {
      name_ = ":" + answer;
      return true;
    }
    note("Xvfb did not start on :" + std::to_string(number));
    server_.reset();
  }
  return false;
}

bool VirtualDisplay::startWindowManager() {
  // openbox gives up at once when its first connection fails; it is then started again.
  for (int attempt = 1; attempt <= kStartsPerPart; ++attempt) {
    windowManager_ = std::make_unique<Process>(std::vector<std::string>{"openbox", "--sm-disable"},
                                               environment(), chatter_);
    // It is in charge once wmctrl can ask it for its name.
    waitUntil([&] { return windowManagerAnswers() || !windowManager_->running(); }, 30s);
    if (windowManagerAnswers()) return true;
    note("openbox did not take charge of " + name_ +
         (windowManager_->running() ? " within 30 s" : ": it ended"));
    windowManager_.reset();
    if (!server_->running()) return false;
  }
  return false;
}

bool VirtualDisplay::windowManagerAnswers() const {
  return run({"wmctrl", "-m"}, environment(), 10s).status == 0;
}

void VirtualDisplay::note(const std::string& line) const {
  if (chatter_ < 0) return;
  const std::string text = "VirtualDisplay: " + line + "\n";
  [[maybe_unused]] const ssize_t n = ::write(chatter_, text.data(), text.size());
}

std::string VirtualDisplay::diagnostics() const {
  std::string text;
  if (chatter_ < 0) return text;
  char buf[4096];
  ssize_t n;
  for (off_t at = 0; (n = ::pread(chatter_, buf, sizeof buf, at)) > 0; at += n)
    text.append(buf, static_cast<std::size_t>(n));
  return text;
}

EnvChanges VirtualDisplay::environment() const {
  return EnvChanges{{"DISPLAY", name_},
                    {"GDK_BACKEND", "x11"},
                    {"NO_AT_BRIDGE", "1"},
                    {"WAYLAND_DISPLAY", std::nullopt}};
}

}  // namespace zrv::test
