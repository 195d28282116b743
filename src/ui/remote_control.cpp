#include "ui/remote_control.h"

#include <unistd.h>
#include <wx/app.h>
#include <wx/timer.h>

#include <cstdlib>

#include "app/context.h"
#include "commands/commands.h"
#include "ical/ics_codec.h"
#include "platform/local_socket.h"
#include "platform/system_clock.h"
#include "reminder/reminder_env.h"
#include "remote/cli_service.h"
#include "remote/ics_module.h"
#include "store/appointments/appointment_table.h"
#include "store/base/file_stamp.h"
#include "store/base/logbook.h"
#include "ui/due_timer.h"
#include "ui/main_frame.h"
#include "widgets/call_after.h"

namespace zrv {
namespace {

// Runs `call` on the window thread after `delay`: a one-shot timer that deletes itself.
void callLater(std::function<void()> call, std::chrono::milliseconds delay) {
  auto* timer = new wxTimer;
  timer->Bind(wxEVT_TIMER, [timer, call = std::move(call)](wxTimerEvent&) {
    timer->Stop();
    callAfter(*wxTheApp, [timer] { delete timer; });
    call();
  });
  timer->StartOnce(static_cast<int>(delay.count()));
}

}  // namespace

RemoteControl::RemoteControl(Context& ctx, MainFrame& frame, const DueTimer& timer,
                             std::function<ReminderEnv*()> env)
    : ctx_(ctx), frame_(frame), timer_(timer), env_(std::move(env)) {
  ics_ = std::make_unique<IcsModule>(ctx_.CRUNIN / kIcsModuleFile);
  WindowSide side;
  side.post = [](std::function<void()> call) {
    if (wxTheApp) callAfter(*wxTheApp, std::move(call));
  };
  side.postLater = [](std::function<void()> call, std::chrono::milliseconds delay) {
    if (wxTheApp) callAfter(*wxTheApp, [call = std::move(call), delay] { callLater(call, delay); });
  };
  side.busy = [this] {
    ReminderEnv* env = env_();
    return !env || env->ticking || openModalWindows() > 0 || !timer_.running();
  };
  side.execute = [this](const CliRequest& r, const WindowSide::Answer& answer) {
    execute(r, answer);
  };
  relay_ = std::make_unique<RequestRelay>(std::move(side));
  frame_.registerCommandLine(*this);
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  server_ = std::make_unique<LocalSocketServer>(
      localSocketPath(ctx_.runFiles, runtime ? runtime : ""),
      [relay = relay_.get()](const std::string& line) { return relay->handle(line); },
      [&log = ctx_.log](const std::string& text) { log.log(kCliTag, text); }, ::geteuid());
}

RemoteControl::~RemoteControl() {
  stop();
}

void RemoteControl::start() {
  if (server_->start()) ctx_.log.log(kCliTag, "Befehlszeile bereit");
}

void RemoteControl::stop() {
  relay_->close();
  server_->stop();
}

void RemoteControl::publishNext() {
  ReminderEnv* env = env_();
  if (!env) return;
  CliTarget target{ctx_, env->DTER, {}, utcSecondsNow, localMomentAt};
  CliRequest r;
  r.command = CliCommand::Next;
  CliResponse human = runCliCommand(target, r);
  r.json = true;
  relay_->publishNext(std::move(human), runCliCommand(target, r));
}

void RemoteControl::execute(const CliRequest& r, const WindowSide::Answer& answer) {
  if (r.command == CliCommand::Raise) {
    ctx_.log.log(kCliTag, "Zweiter Start: Fenster nach vorn");
    frame_.showOnTop();
    ctx_.run.LS_WNDSHOWN = true;
    ctx_.run.LS_WNDHIDDEN = false;
    answer({});
    return;
  }
  ReminderEnv* env = env_();
  if (!env || !ctx_.DTER) {
    answer(CliResponse{kExitTableUnreachable, "", "Zorvane hat gerade keine Termindatei offen.\n"});
    return;
  }
  if (!changesTable(r.command)) {
    CliTarget target{ctx_, env->DTER, [this](std::string& why) { return ics_->codec(why); },
                     utcSecondsNow, localMomentAt};
    answer(runCliCommand(target, r));
    return;
  }
  pending_ = Pending{&r, &answer};
  frame_.runCommand(CommandId::CommandLineChange);
  pending_ = Pending{};
  publishNext();
}

void RemoteControl::carryOut(CommandScope& scope) {
  if (!pending_.request) return;  // not from the socket
  const WindowSide::Answer& answer = *pending_.answer;
  if (!scope.env) {
    answer(CliResponse{kExitTableUnreachable, "", "Zorvane hat gerade keine Termindatei offen.\n"});
    return;
  }
  ReminderEnv& env = *scope.env;
  CliTarget target{ctx_, env.DTER, [this](std::string& why) { return ics_->codec(why); },
                   utcSecondsNow, localMomentAt};
  CliResponse response = runCliCommand(target, *pending_.request);
  // The file changed by our own hand: no "network" change for the next tick to report.
  env.stamp = fileStamp(env.DTER.table().file());
  env.stampKnown = true;
  answer(std::move(response));
}

}  // namespace zrv
