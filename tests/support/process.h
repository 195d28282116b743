// Child processes for tests that drive real programs (the installed zorvane, Xvfb, a window
// manager, xdotool): started without a shell, with extra environment, ended when the object
// goes out of scope.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zrv::test {

// Environment changes: a value sets the variable, nullopt removes it.
using EnvChanges = std::map<std::string, std::optional<std::string>>;

class Process {
 public:
  // Starts argv[0] (looked up on PATH) with argv; `outputFd` >= 0 receives the child's
  // standard output and error.
  explicit Process(const std::vector<std::string>& argv, const EnvChanges& env = {},
                   int outputFd = -1, int extraFd = -1);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  bool running();
  // The exit status once the child has ended within `timeout`; nullopt if it still runs
  // (or ended by a signal: then -signal).
  std::optional<int> waitFor(std::chrono::milliseconds timeout);
  // SIGTERM to the program alone, as `kill` sends it: a request to end that it answers in its
  // own time (see waitFor). Nothing is forced.
  void terminate();
  // SIGTERM to the program and what it started, then SIGKILL after a grace period: clearing
  // up, not a request to the program.
  void stop();

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

struct RunResult {
  int status = -1;  // exit status, -1 when it did not end in time
  std::string output;
};

// Runs a command to its end (at most `timeout`) and returns its status and output.
RunResult run(const std::vector<std::string>& argv, const EnvChanges& env = {},
              std::chrono::milliseconds timeout = std::chrono::seconds(60));

// Polls `condition` every 50 ms until it holds or `timeout` has passed.
template <class F>
bool waitUntil(F condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    struct timespec ts {
      0, 50'000'000
    };
    nanosleep(&ts, nullptr);
  }
  return true;
}

// Starts a local test server that writes the port it listens on to `dir`/port (its output goes
// to `dir`/server.log) and waits up to a minute for it; `why` says what went wrong otherwise.
struct LocalServer {
  std::unique_ptr<Process> process;
  int port = 0;
  std::string why;
};
LocalServer startLocalServer(const std::vector<std::string>& argv, const std::filesystem::path& dir,
                             const std::string& what);

}  // namespace zrv::test
