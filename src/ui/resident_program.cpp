#include "ui/resident_program.h"

#include "app/check_dbf.h"
#include "app/check_ini.h"
#include "app/context.h"
#include "app/exit_pack.h"
#include "app/first_start.h"
#include "app/startup.h"
#include "calendar/calendar_window.h"
#include "platform/linux_wake_up.h"
#include "platform/posix_program_launcher.h"
#include "platform/sdl_sound_player.h"
#include "platform/system_clock.h"
#include "reminder/alert_port_wx.h"
#include "reminder/due_check.h"
#include "reminder/reminder_env.h"
#include "reminder/timer_interval.h"
#include "reminder/unconfigured_mail.h"
#include "store/appointment_table.h"
#include "store/logbook.h"
#include "ui/due_timer.h"
#include "ui/main_frame.h"
#include "ui/wx_user_interface.h"
#include "ui/wx_wait.h"

namespace zrv {
namespace fs = std::filesystem;

ResidentProgram::ResidentProgram(const fs::path& programFile) {
  const fs::path dir = programDirectoryOf(programFile);
  clock_ = std::make_unique<SystemClock>();
  ui_ = std::make_unique<WxUserInterface>();
  log_ = std::make_unique<Logbook>(logbookFile(dir), kRelease, *clock_);
  ctx_ = std::make_unique<Context>(dir, *clock_, *log_, *ui_);
  ctx_->CS_EXEPATH = programFile;
  sound_ = std::make_unique<SdlSoundPlayer>(
      [this](const std::string& line) { log_->log("QLPlaySound", line); });
  launcher_ = std::make_unique<PosixProgramLauncher>();
  mail_ = std::make_unique<UnconfiguredMailDispatch>(*log_);
  wakeUp_ = std::make_unique<LinuxWakeUpScheduler>(LinuxWakeUpOptions{dir, true});
  wait_ = std::make_unique<WxWait>();
}

ResidentProgram::~ResidentProgram() {
  env_.reset();
  timer_.reset();
}

void ResidentProgram::start() {
  StartupHooks hooks;
  hooks.wakeUpAvailable = [this] { return wakeUp_->available(); };
  hooks.buildDbase = [](Context& ctx, const std::string& name) { buildDbase(ctx, name); };
  // The about box in its start-up form comes with the about box (hooks.showAboutBox).
  const WindowRect rect = startUp(*ctx_, hooks);
  chooseActivation(*ctx_);

  // Fonts are the dialog look's (ui/dialog_look.h); the window and its message bar:
  frame_ = new MainFrame(*ctx_, rect);
  ui_->setMainFrame(frame_);
  alert_ = std::make_unique<WxAlertPort>(
      frame_, AlertWindowOptions{entryColours(ctx_->lists), {}},
      PostponeWindowOptions{entryColours(ctx_->lists), calendarDatePicker(*ctx_), {}});

  // Network mode's user set-up comes with the user registry.
  openTableAtStart(*ctx_, {});
  timer_ = std::make_unique<DueTimer>(dueTimerSeconds(ctx_->settings.NS_TIMER, *log_), [this] {
    if (env_) chkAll(*env_);
  });
  if (ctx_->DTER) {
    env_ = std::make_unique<ReminderEnv>(
        *ctx_, *ctx_->DTER,
        ReminderPorts{*timer_, *frame_, *alert_, *sound_, *launcher_, *mail_, *wakeUp_, *wait_});
  }
  frame_->attach(env_.get());

  frame_->Show();
  // Without a tray icon a hidden start shows the window iconified.
  if (ctx_->run.LS_WNDHIDDEN) frame_->Iconize(true);
  frame_->initialise();
}

void ResidentProgram::shutDown() {
  ui_->setMainFrame(nullptr);
  ShutdownHooks hooks;
  hooks.closeTables = [this](Context&) { closeTables(); };
  hooks.removeWakeUpJob = [this](Context& ctx) {
    if (ctx.settings.LS_WAKEUP) wakeUp_->removeJob();
  };
  hooks.showLogbook = [this](const fs::path& logbook) {
    launcher_->launch(LaunchRequest{logbook.string(), "", ctx_->CRUNIN});
  };
  zrv::shutDown(*ctx_, hooks);
}

// Shut-down's first step: the engine lets go of DTER, the timer ends, and the tables are packed
// when something was deleted.
void ResidentProgram::closeTables() {
  env_.reset();
  timer_.reset();
  packTablesAtExit(*ctx_);
}

}  // namespace zrv
