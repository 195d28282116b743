#include "platform/spawn.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace zrv {
namespace {

// posix_spawn attributes and file actions with RAII.
class SpawnSetup {
 public:
  SpawnSetup() {
    posix_spawnattr_init(&attr_);
    posix_spawn_file_actions_init(&actions_);
    // The child starts with no blocked signals and default dispositions, whatever the window
    // system did to ours.
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int sig : {SIGPIPE, SIGCHLD, SIGINT, SIGQUIT, SIGTERM, SIGHUP})
      sigaddset(&defaults, sig);
    posix_spawnattr_setsigmask(&attr_, &none);
    posix_spawnattr_setsigdefault(&attr_, &defaults);
    flags_ = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions_);
    posix_spawnattr_destroy(&attr_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  void newSession() { flags_ |= POSIX_SPAWN_SETSID; }
  void changeDirectory(const std::filesystem::path& dir) {
    posix_spawn_file_actions_addchdir_np(&actions_, dir.c_str());
  }
  void discardOutput() {
    posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions_, 2, "/dev/null", O_WRONLY, 0);
  }

  SpawnResult spawn(const std::vector<std::string>& argv) {
    if (argv.empty()) return {0, EINVAL};
    posix_spawnattr_setflags(&attr_, static_cast<short>(flags_));
    std::vector<char*> args;
    for (const std::string& a : argv)
      args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, args[0], &actions_, &attr_, args.data(), environ);
    return rc == 0 ? SpawnResult{pid, 0} : SpawnResult{0, rc};
  }

 private:
  posix_spawnattr_t attr_;
  posix_spawn_file_actions_t actions_;
  int flags_ = 0;
};

int waitFor(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

SpawnResult spawnDetached(const std::vector<std::string>& argv,
                          const std::filesystem::path& directory) {
  SpawnSetup setup;
  setup.newSession();
  if (!directory.empty()) setup.changeDirectory(directory);
  const SpawnResult result = setup.spawn(argv);
  if (result.pid > 0) {
    const auto pid = static_cast<pid_t>(result.pid);
    std::thread([pid] { waitFor(pid); }).detach();
  }
  return result;
}

int runAndWait(const std::vector<std::string>& argv) {
  SpawnSetup setup;
  setup.discardOutput();
  const SpawnResult result = setup.spawn(argv);
  return result.pid > 0 ? waitFor(static_cast<pid_t>(result.pid)) : -1;
}

}  // namespace zrv
