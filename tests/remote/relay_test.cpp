// The running program's side of the command line without windows: the relay to the window thread
// (a scripted one here) keeps its promises about waiting, and the local socket answers only its
// own user.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/local_socket.h"
#include "remote/protocol.h"
#include "remote/request_relay.h"
#include "support/test_dir.h"

namespace zrv {
namespace {
using namespace std::chrono_literals;

// A window thread of our own: runs posted calls in order while it is not blocked.
class ScriptedWindow {
 public:
  ScriptedWindow() : thread_([this] { loop(); }) {}
  ~ScriptedWindow() {
    {
      std::lock_guard<std::mutex> l(m_);
      done_ = true;
      blocked_ = false;
    }
    cv_.notify_all();
    thread_.join();
  }
  WindowSide side() {
    WindowSide w;
    w.post = [this](std::function<void()> f) { push(std::move(f)); };
    w.postLater = [this](std::function<void()> f, std::chrono::milliseconds) {
      push(std::move(f));
    };
    w.busy = [this] { return busy.load(); };
    w.execute = [this](const CliRequest& r, const WindowSide::Answer& answer) {
      ++executed;
      answer(CliResponse{kExitDone, r.command == CliCommand::Add ? "angelegt\n" : "frisch\n", ""});
    };
    return w;
  }
  void block(bool on) {
    {
      std::lock_guard<std::mutex> l(m_);
      blocked_ = on;
    }
    cv_.notify_all();
  }
  std::atomic<bool> busy{false};
  std::atomic<int> executed{0};

 private:
  void push(std::function<void()> f) {
    {
      std::lock_guard<std::mutex> l(m_);
      calls_.push_back(std::move(f));
    }
    cv_.notify_all();
  }
  void loop() {
    std::unique_lock<std::mutex> l(m_);
    for (;;) {
      cv_.wait(l, [&] { return done_ || (!blocked_ && !calls_.empty()); });
      if (done_) return;
      auto f = std::move(calls_.front());
      calls_.pop_front();
      l.unlock();
      f();
      std::this_thread::sleep_for(1ms);
      l.lock();
    }
  }
  std::mutex m_;
  std::condition_variable cv_;
  std::deque<std::function<void()>> calls_;
  bool blocked_ = false;
  bool done_ = false;
  std::thread thread_;
};

std::string line(CliCommand c) {
  CliRequest r;
  r.command = c;
  return requestLine(r);
}

constexpr RelayTiming kFast{100ms, 300ms, 5ms};

TEST(RequestRelay, ABlockedWindowThreadAnswersNextFromTheLastSearchAndRefusesChangesForGood) {
  ScriptedWindow window;
  RequestRelay relay(window.side(), kFast);
  EXPECT_EQ(responseOf(relay.handle(line(CliCommand::Next)))->out, "frisch\n");

  window.block(true);
  const auto before = std::chrono::steady_clock::now();
  std::optional<CliResponse> r = responseOf(relay.handle(line(CliCommand::Next)));
  EXPECT_LT(std::chrono::steady_clock::now() - before, 1s);
  EXPECT_EQ(r->exitCode, kExitTableUnreachable);  // nothing published yet
  relay.publishNext({kExitDone, "zuletzt\n", ""}, {kExitDone, "{}\n", ""});
  r = responseOf(relay.handle(line(CliCommand::Next)));
  EXPECT_EQ(r->exitCode, kExitDone);
  EXPECT_EQ(r->out, "zuletzt\n");
  EXPECT_NE(r->err.find("beschäftigt"), std::string::npos);

  r = responseOf(relay.handle(line(CliCommand::Add)));
  EXPECT_EQ(r->exitCode, kExitTableUnreachable);
  const int executed = window.executed;
  window.block(false);  // the queued calls run now: the abandoned ones must do nothing
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(window.executed, executed);
}

TEST(RequestRelay, AChangeWaitsWhileAWindowIsOpenAndRunsOnceItCloses) {
  ScriptedWindow window;
  RequestRelay relay(window.side(), kFast);
  window.busy = true;
  std::thread closer([&] {
    std::this_thread::sleep_for(100ms);
    window.busy = false;
  });
  const std::optional<CliResponse> r = responseOf(relay.handle(line(CliCommand::Add)));
  closer.join();
  EXPECT_EQ(r->exitCode, kExitDone);
  EXPECT_EQ(r->out, "angelegt\n");
  EXPECT_EQ(window.executed, 1);

  relay.close();
  EXPECT_EQ(responseOf(relay.handle(line(CliCommand::Next)))->exitCode, kExitTableUnreachable);
  EXPECT_EQ(responseOf(relay.handle("{\"cmd\":\"format c:\"}"))->exitCode, kExitBadArguments);
}

// The socket is the user's alone (0600), and a peer of another user is turned away even when it
// got through: here the server is told to answer another uid than ours.
TEST(LocalSocket, AnswersItsOwnUserOnlyThroughAPrivateSocket) {
  test::TestDir dir;
  const auto path = localSocketPath(dir.path() / "prog", dir.path().string());
  std::vector<std::string> notes;
  std::mutex notesMutex;
  auto note = [&](const std::string& n) {
    std::lock_guard<std::mutex> l(notesMutex);
    notes.push_back(n);
  };
  auto echo = [](const std::string& l) { return "echo " + l + "\n"; };
  {
    LocalSocketServer server(path, echo, note, ::geteuid());
    ASSERT_TRUE(server.start());
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    std::string why;
    auto c = connectLocalSocket(path, why);
    ASSERT_TRUE(c) << why;
    ASSERT_TRUE(c->sendLine("hallo\n"));
    EXPECT_EQ(c->receiveLine(5s, 1000), "echo hallo");
    // A second program in the same directory does not take the socket over.
    LocalSocketServer second(path, echo, note, ::geteuid());
    EXPECT_FALSE(second.start());
  }
  EXPECT_FALSE(std::filesystem::exists(path));

  LocalSocketServer stranger(path, echo, note, ::geteuid() + 1);
  ASSERT_TRUE(stranger.start());
  std::string why;
  auto c = connectLocalSocket(path, why);
  ASSERT_TRUE(c) << why;
  (void)c->sendLine("hallo\n");
  EXPECT_EQ(c->receiveLine(2s, 1000), std::nullopt);
  stranger.stop();
  std::lock_guard<std::mutex> l(notesMutex);
  ASSERT_FALSE(notes.empty());
  EXPECT_NE(notes.back().find("anderen Benutzers"), std::string::npos);
}

}  // namespace
}  // namespace zrv
