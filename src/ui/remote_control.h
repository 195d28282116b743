// The running program's end of the command line: the local socket of its program directory,
// whose requests are carried out on the window thread. A change runs as the command
// CommandLineChange of the main window's command layer (timer paused, written and answered, then
// the searches for missed appointments and for the next appointment, which reload the list); a
// reading command runs as it comes; a second start's request brings the window to the front.
#pragma once

#include <functional>
#include <memory>

#include "remote/cli_commands.h"
#include "remote/request_relay.h"

namespace zrv {

struct Context;
struct ReminderEnv;
class DueTimer;
class IcsModule;
class LocalSocketServer;
class MainFrame;

class RemoteControl : public CliChangeSource {
 public:
  // `env` gives the reminder engine of the table in use (null while none is open).
  RemoteControl(Context& ctx, MainFrame& frame, const DueTimer& timer,
                std::function<ReminderEnv*()> env);
  ~RemoteControl() override;  // stop()
  RemoteControl(const RemoteControl&) = delete;
  RemoteControl& operator=(const RemoteControl&) = delete;

  // Opens the socket (a logbook line when it cannot be opened; the program runs on without).
  void start();
  // The next appointment as it stands now, for answers while the window thread is busy.
  void publishNext();
  // Closes the socket; requests still waiting are answered at once.
  void stop();

  // The command CommandLineChange's action (see remote/cli_commands.h).
  void carryOut(CommandScope& scope) override;

 private:
  void execute(const CliRequest& r, const WindowSide::Answer& answer);

  // The change being carried out through the command layer.
  struct Pending {
    const CliRequest* request = nullptr;
    const WindowSide::Answer* answer = nullptr;
  };

  Context& ctx_;
  MainFrame& frame_;
  const DueTimer& timer_;
  std::function<ReminderEnv*()> env_;
  std::unique_ptr<IcsModule> ics_;
  std::unique_ptr<RequestRelay> relay_;
  std::unique_ptr<LocalSocketServer> server_;
  Pending pending_;
  // Calls queued for the window thread do nothing once this object is gone.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace zrv
