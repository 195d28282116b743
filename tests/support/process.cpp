#include "support/process.h"

#include "support/test_dir.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

extern char** environ;

namespace zrv::test {
namespace {

std::vector<std::string> environmentWith(const EnvChanges& changes) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    const std::string name = entry.substr(0, entry.find('='));
    if (!changes.count(name)) env.push_back(entry);
  }
  for (const auto& [name, value] : changes) {
    if (value) env.push_back(name + "=" + *value);
  }
  return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
  std::vector<char*> out;
  for (auto& s : strings)
    out.push_back(s.data());
  out.push_back(nullptr);
  return out;
}

}  // namespace

Process::Process(const std::vector<std::string>& argv, const EnvChanges& env, int outputFd,
                 int extraFd) {
  std::vector<std::string> args = argv;
  std::vector<std::string> envs = environmentWith(env);
  auto argp = pointers(args);
  auto envp = pointers(envs);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (outputFd >= 0) {
    posix_spawn_file_actions_adddup2(&actions, outputFd, 1);
    posix_spawn_file_actions_adddup2(&actions, outputFd, 2);
  }
  // The extra descriptor arrives in the child as descriptor 3.
  if (extraFd >= 0) posix_spawn_file_actions_adddup2(&actions, extraFd, 3);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  // Its own process group, so that stop() reaches the children it starts.
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attr, 0);
  pid_t pid = -1;
  if (posix_spawnp(&pid, argp[0], &actions, &attr, argp.data(), envp.data()) == 0) pid_ = pid;
  posix_spawnattr_destroy(&attr);
  posix_spawn_file_actions_destroy(&actions);
}

Process::~Process() {
  stop();
}

bool Process::running() {
  return started() && !waitFor(std::chrono::milliseconds(0));
}

std::optional<int> Process::waitFor(std::chrono::milliseconds timeout) {
  if (status_ || !started()) return status_;
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    int st = 0;
    const pid_t r = ::waitpid(pid_, &st, WNOHANG);
    if (r == pid_) {
      status_ = WIFEXITED(st) ? WEXITSTATUS(st) : -WTERMSIG(st);
      return status_;
    }
    if (r < 0 && errno != EINTR) return std::nullopt;
    if (std::chrono::steady_clock::now() >= end) return std::nullopt;
    struct timespec ts {
      0, 20'000'000
    };
    nanosleep(&ts, nullptr);
  }
}

void Process::terminate() {
  if (started() && !status_) ::kill(pid_, SIGTERM);
}

void Process::stop() {
  if (!started() || status_) return;
  ::kill(-pid_, SIGTERM);
  if (!waitFor(std::chrono::seconds(3))) {
    ::kill(-pid_, SIGKILL);
    waitFor(std::chrono::seconds(3));
  }
}

RunResult run(const std::vector<std::string>& argv, const EnvChanges& env,
              std::chrono::milliseconds timeout) {
  RunResult result;
  char name[] = "/tmp/zrvtest-out-XXXXXX";
  const int fd = ::mkstemp(name);
  if (fd < 0) return result;
  ::unlink(name);
  {
    Process p(argv, env, fd);
    if (auto st = p.waitFor(timeout)) result.status = *st;
  }
  ::lseek(fd, 0, SEEK_SET);
  char buf[4096];
  ssize_t n;
  while ((n = ::read(fd, buf, sizeof buf)) > 0)
    result.output.append(buf, static_cast<std::size_t>(n));
  ::close(fd);
  return result;
}

LocalServer startLocalServer(const std::vector<std::string>& argv, const std::filesystem::path& dir,
                             const std::string& what) {
  using namespace std::chrono_literals;
  LocalServer server;
  const int log = ::open((dir / "server.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  server.process = std::make_unique<Process>(argv, EnvChanges{}, log);
  if (log >= 0) ::close(log);
  const auto portFile = dir / "port";
  const bool up = waitUntil(
      [&] { return std::filesystem::exists(portFile) || !server.process->running(); }, 60s);
  if (up && std::filesystem::exists(portFile)) {
    server.port = std::atoi(readAll(portFile).c_str());
  } else {
    server.why = "the " + what + " server did not start: " + readAll(dir / "server.log");
  }
  return server;
}

}  // namespace zrv::test
