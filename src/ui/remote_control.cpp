#include "ui/remote_control.h"

#include <unistd.h>
#include <wx/app.h>
#include <wx/timer.h>

#include <cstdlib>

#include "app/context.h"
#include "ical/ics_codec.h"
#include "platform/local_socket.h"
#include "platform/system_clock.h"
#include "reminder/due_check.h"
#include "reminder/missed_appointments.h"
#include "reminder/next_appointment.h"
#include "reminder/reminder_env.h"
#include "remote/cli_service.h"
#include "remote/ics_module.h"
#include "remote/request_relay.h"
#include "store/appointments/appointment_table.h"
#include "store/base/file_stamp.h"
#include "store/base/logbook.h"
#include "ui/due_timer.h"
#include "ui/main_frame.h"

namespace zrv {
namespace {

// Runs `call` on the window thread after `delay`: a one-shot timer that deletes itself.
void callLater(std::function<void()> call, std::chrono::milliseconds delay) {
  auto* timer = new wxTimer;
  timer->Bind(wxEVT_TIMER, [timer, call = std::move(call)](wxTimerEvent&) {
    timer->Stop();
    wxTheApp->CallAfter([timer] { delete timer; });
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
    if (wxTheApp) wxTheApp->CallAfter(std::move(call));
  };
  side.postLater = [](std::function<void()> call, std::chrono::milliseconds delay) {
    if (wxTheApp) wxTheApp->CallAfter([call = std::move(call), delay] { callLater(call, delay); });
  };
  side.busy = [this] {
    ReminderEnv* env = env_();
    return !env || env->ticking || openModalWindows() > 0 || !timer_.running();
  };
  side.execute = [this](const CliRequest& r) { return execute(r); };
  relay_ = std::make_unique<RequestRelay>(std::move(side));
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  server_ = std::make_unique<LocalSocketServer>(
      localSocketPath(ctx_.CRUNIN, runtime ? runtime : ""),
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

CliResponse RemoteControl::execute(const CliRequest& r) {
  if (r.command == CliCommand::Raise) {
    ctx_.log.log(kCliTag, "Zweiter Start: Fenster nach vorn");
    frame_.showOnTop();
    ctx_.run.LS_WNDSHOWN = true;
    ctx_.run.LS_WNDHIDDEN = false;
    return {};
  }
  ReminderEnv* env = env_();
  if (!env || !ctx_.DTER) {
    return CliResponse{kExitTableUnreachable, "", "Zorvane hat gerade keine Termindatei offen.\n"};
  }
  if (changesTable(r.command)) return change(*env, r);
  CliTarget target{ctx_, env->DTER, [this](std::string& why) { return ics_->codec(why); },
                   utcSecondsNow, localMomentAt};
  return runCliCommand(target, r);
}

// The change is written with the timer paused and answered at once; the searches for missed
// appointments (which may open alerts) and for the next appointment follow on the window thread,
// then the timer runs again.
CliResponse RemoteControl::change(ReminderEnv& env, const CliRequest& r) {
  qlSwitchTimer(env, false);
  CliTarget target{ctx_, env.DTER, [this](std::string& why) { return ics_->codec(why); },
                   utcSecondsNow, localMomentAt};
  CliResponse response = runCliCommand(target, r);
  // The file changed by our own hand: no "network" change for the next tick to report.
  env.stamp = fileStamp(env.DTER.table().file());
  env.stampKnown = true;
  wxTheApp->CallAfter([this, alive = std::weak_ptr<int>(alive_)] {
    if (!alive.lock()) return;
    ReminderEnv* now = env_();
    if (!now) return;
    chkOlds(*now);
    chkNext(*now, kCliTag);
    qlSwitchTimer(*now, true);
    publishNext();
  });
  return response;
}

}  // namespace zrv
