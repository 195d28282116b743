#include "ui/resident_program.h"

#include "app/check_ini.h"
#include "app/context.h"
#include "app/startup.h"
#include "platform/linux_wake_up.h"
#include "platform/posix_program_launcher.h"
#include "platform/sdl_sound_player.h"
#include "platform/system_clock.h"
#include "reminder/alert_port_wx.h"
#include "reminder/due_check.h"
#include "reminder/reminder_env.h"
#include "reminder/timer_interval.h"
#include "reminder/unconfigured_mail.h"
#include "store/appointment_record.h"
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
  if (table_) (void)table_->close();
}

void ResidentProgram::start() {
  StartupHooks hooks;
  hooks.wakeUpAvailable = [this] { return wakeUp_->available(); };
  // The about box in its start-up form comes with the about box (hooks.showAboutBox).
  const WindowRect rect = startUp(*ctx_, hooks);
  chooseActivation(*ctx_);

  // Fonts are the dialog look's (ui/dialog_look.h); the window and its message bar:
  frame_ = new MainFrame(*ctx_, rect);
  ui_->setMainFrame(frame_);
  alert_ = std::make_unique<WxAlertPort>(frame_, AlertWindowOptions{entryColours(ctx_->lists), {}},
                                         PostponeWindowOptions{entryColours(ctx_->lists), {}, {}});

  openTable();
  timer_ = std::make_unique<DueTimer>(dueTimerSeconds(ctx_->settings.NS_TIMER, *log_), [this] {
    if (env_) chkAll(*env_);
  });
  if (table_) {
    env_ = std::make_unique<ReminderEnv>(
        *ctx_, *table_,
        ReminderPorts{*timer_, *frame_, *alert_, *sound_, *launcher_, *mail_, *wakeUp_, *wait_});
  }
  frame_->attach(env_.get());

  if (ctx_->run.LS_WNDHIDDEN) frame_->Iconize(true);
  frame_->Show();
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

// The table step of start-up: opens CN_FILE as DTER, creating it when it is missing.
void ResidentProgram::openTable() {
  const fs::path base = ctx_->CRUNIN / ctx_->settings.CN_FILE;
  if (!fs::exists(appointmentTableFile(base))) {
    (void)Table::create(appointmentTableFile(base), terStruct(), *clock_);
  }
  AppointmentTable::Options options;
  options.onNote = [this](const std::string& note) { log_->log("CheckDBF", note); };
  auto opened = AppointmentTable::open(base, *clock_, options);
  if (!opened) {
    ctx_->ui.message("Problem", "Die Termindatei " + base.filename().string() +
                                    " kann nicht geöffnet werden:\n" + opened.message());
    return;
  }
  table_ = std::move(opened).value();
}

// Shut-down's first step: the timer ends, and the table is packed when something was deleted.
void ResidentProgram::closeTables() {
  env_.reset();
  timer_.reset();
  if (!table_) return;
  if (ctx_->run.LS_PACK) {
    if (Status s = table_->pack(); !s) log_->log("Pack", s.message());
  }
  (void)table_->close();
  table_.reset();
}

}  // namespace zrv
