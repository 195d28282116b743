#include "ui/resident_program.h"

#include "app/check_dbf.h"
#include "app/check_ini.h"
#include "app/context.h"
#include "app/exit_pack.h"
#include "app/first_start.h"
#include "app/startup.h"
#include "platform/linux_wake_up.h"
#include "platform/posix_program_launcher.h"
#include "platform/sdl_sound_player.h"
#include "platform/system_clock.h"
#include "reminder/alert_port_wx.h"
#include "reminder/due_check.h"
#include "reminder/next_appointment.h"
#include "reminder/reminder_env.h"
#include "reminder/sound_slots.h"
#include "reminder/timer_interval.h"
#include "reminder/unconfigured_mail.h"
#include "store/appointment_table.h"
#include "store/logbook.h"
#include "ui/about_box.h"
#include "ui/due_timer.h"
#include "ui/help_viewer.h"
#include "ui/main_frame.h"
#include "ui/resident_tray.h"
#include "ui/tray_icon.h"
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
  help_ = std::make_unique<WxHelpViewer>(helpBookFile(dir), [this](const std::string& text) {
    log_->log("Hilfe", text);
    ui_->message("Hilfe", text);
  });
  ctx_->help.attach(help_.get());
  helpKey_ = std::make_unique<HelpKey>(ctx_->help);
}

ResidentProgram::~ResidentProgram() {
  tray_.reset();
  helpKey_.reset();
  ctx_->help.attach(nullptr);
  env_.reset();
  timer_.reset();
}

void ResidentProgram::start() {
  StartupHooks hooks;
  hooks.wakeUpAvailable = [this] { return wakeUp_->available(); };
  hooks.buildDbase = [](Context& ctx, const std::string& name) { buildDbase(ctx, name); };
  hooks.showAboutBox = [this](Context& ctx) {
    aboutInfo(nullptr, ctx.CRELEASE, true, [this] { qlPlaySound(*ctx_, *sound_, 1, 1); });
  };
  const WindowRect rect = startUp(*ctx_, hooks);
  chooseActivation(*ctx_);

  // Fonts are the dialog look's (ui/dialog_look.h); the window and its message bar:
  MainWindowSeams seams;
  seams.createTray = [this] { tray_->create(); };
  seams.endTray = [this] { tray_->end(); };
  seams.trayText = [this](const std::string& text) { tray_->setText(text); };
  frame_ = new MainFrame(*ctx_, rect, std::move(seams));
  ui_->setMainFrame(frame_);
  alert_ = std::make_unique<WxAlertPort>(
      frame_,
      AlertWindowOptions{entryColours(ctx_->lists),
                         [this](const std::string& topic) { ctx_->help.show(topic); }},
      PostponeWindowOptions{entryColours(ctx_->lists), {}, {}});

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

  // A hidden start leaves the window off screen, behind the tray icon; without a notification
  // area it shows the window iconified.
  const bool hidden = ctx_->run.LS_WNDHIDDEN;
  const bool trayHost = TTrayIcon::hostAvailable();
  if (!hidden || !trayHost) frame_->Show();
  if (hidden && !trayHost) frame_->Iconize(true);
  tray_ = std::make_unique<ResidentTray>(*frame_, *ctx_,
                                         TrayMenuActions{[this] { aboutFromTray(); }, {}});
  if (hidden && !trayHost) tray_->noteNoTray();
  frame_->initialise();
}

// "Über Zorvane" of the tray menu: the about box without splash, then the next appointment.
// (The command layer will wrap this like every user command.)
void ResidentProgram::aboutFromTray() {
  aboutInfo(frame_, ctx_->CRELEASE, false);
  if (env_) chkNext(*env_, "MenuTray");
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
