// The running program's end of the command line: the local socket of its program directory,
// whose requests are carried out on the window thread. A change pauses the timer, is written
// through the command line's commands, and is followed by the search for missed appointments and
// for the next appointment, which refreshes the list; a second start's request brings the window
// to the front.
#pragma once

#include <functional>
#include <memory>

namespace zrv {

struct Context;
struct ReminderEnv;
class DueTimer;
class IcsModule;
class LocalSocketServer;
class MainFrame;
class RequestRelay;
struct CliRequest;
struct CliResponse;

class RemoteControl {
 public:
  // `env` gives the reminder engine of the table in use (null while none is open).
  RemoteControl(Context& ctx, MainFrame& frame, const DueTimer& timer,
                std::function<ReminderEnv*()> env);
  ~RemoteControl();  // stop()
  RemoteControl(const RemoteControl&) = delete;
  RemoteControl& operator=(const RemoteControl&) = delete;

  // Opens the socket (a logbook line when it cannot be opened; the program runs on without).
  void start();
  // The next appointment as it stands now, for answers while the window thread is busy.
  void publishNext();
  // Closes the socket; requests still waiting are answered at once.
  void stop();

 private:
  CliResponse execute(const CliRequest& r);
  CliResponse change(ReminderEnv& env, const CliRequest& r);

  Context& ctx_;
  MainFrame& frame_;
  const DueTimer& timer_;
  std::function<ReminderEnv*()> env_;
  std::unique_ptr<IcsModule> ics_;
  std::unique_ptr<RequestRelay> relay_;
  std::unique_ptr<LocalSocketServer> server_;
  // Calls queued for the window thread do nothing once this object is gone.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace zrv
