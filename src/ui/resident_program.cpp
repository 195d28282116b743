#include "ui/resident_program.h"

#include <wx/app.h>
#include <wx/gdicmn.h>

#include "app/check_dbf.h"
#include "app/check_ini.h"
#include "app/context.h"
#include "app/exit_pack.h"
#include "app/first_start.h"
#include "app/help_module.h"
#include "app/run_files.h"
#include "app/settings_listener.h"
#include "app/startup.h"
#include "diag/crash_report.h"
#include "diag/diag_commands.h"
#include "diag/error_log.h"
#include "diag/error_object.h"
#include "diag/error_report.h"
#include "diag/error_report_dialog.h"
#include "diag/error_window.h"
#include "diag/stack_names.h"
#include "diag/system_info.h"
#include "diag/test_fault.h"
#include "mail/curl_transport.h"
#include "mail/mail_setup_dialog.h"
#include "mail/mail_support.h"
#include "network/network_commands.h"
#include "network/user_setup.h"
#include "network/user_windows_wx.h"
#include "platform/linux_wake_up.h"
#include "platform/posix_program_launcher.h"
#include "platform/sdl_sound_player.h"
#include "platform/system_clock.h"
#include "platform/xdg_autostart.h"
#include "print/print_port_wx.h"
#include "reminder/alert_port_wx.h"
#include "reminder/due_check.h"
#include "reminder/next_appointment.h"
#include "reminder/reminder_env.h"
#include "reminder/sound_slots.h"
#include "reminder/timer_interval.h"
#include "reminder/wake_up_job.h"
#include "settings/settings_windows_wx.h"
#include "store/appointments/appointment_table.h"
#include "store/base/logbook.h"
#include "ui/about_box.h"
#include "ui/command_surfaces.h"
#include "ui/due_timer.h"
#include "ui/help_key.h"
#include "ui/main_frame.h"
#include "ui/remote_control.h"
#include "ui/resident_tray.h"
#include "ui/settings_follower.h"
#include "ui/start_trim.h"
#include "ui/table_follower.h"
#include "ui/tray_icon.h"
#include "ui/wx_user_interface.h"
#include "ui/wx_wait.h"
#include "ui/wx_window_services.h"
#include "update/update_commands.h"
#include "update/update_dialog.h"
#include "widgets/bitmaps.h"
#include "widgets/call_after.h"

namespace zrv {
namespace fs = std::filesystem;

ResidentProgram::ResidentProgram(const fs::path& programFile, std::optional<RunMarker> marker)
    : marker_(std::move(marker)) {
  const fs::path dir = programDirectoryOf(programFile);
  // Where the run marker was taken: the logbook and the wake-up script are the run's files too.
  const fs::path runDir = runFilesFolder(dir, workstationIniPath());
  usePrePaintedPictures(dir / "icons");
  clock_ = std::make_unique<SystemClock>();
  ui_ = std::make_unique<WxUserInterface>();
  log_ = std::make_unique<Logbook>(logbookFile(runDir), kRelease, *clock_);
  ctx_ = std::make_unique<Context>(dir, *clock_, *log_, *ui_);
  ctx_->CS_EXEPATH = programFile;
  ctx_->run.uncleanEnd = marker_ && marker_->stale();
  sound_ = std::make_unique<SdlSoundPlayer>(
      [this](const std::string& line) { log_->log("QLPlaySound", line); });
  launcher_ = std::make_unique<PosixProgramLauncher>();
  transport_ = std::make_unique<CurlMailTransport>();
  wakeUp_ = std::make_unique<LinuxWakeUpScheduler>(LinuxWakeUpOptions{runDir, true});
  wait_ = std::make_unique<WxWait>();
  help_ = std::make_unique<HelpModuleViewer>(dir / kHelpModuleFile, helpBookFile(dir),
                                             [this](const std::string& text) {
                                               log_->log("Hilfe", text);
                                               ui_->message("Hilfe", text, Severity::Problem);
                                             });
  ctx_->help.attach(help_.get());
  services_ = std::make_unique<WxWindowServices>(*ctx_);
  helpKey_ = std::make_unique<HelpKey>(ctx_->help);
}

ResidentProgram::~ResidentProgram() {
  reportCrashesOf(nullptr, 0);
  remote_.reset();
  tray_.reset();
  userWindows_.reset();
  helpKey_.reset();
  ctx_->help.attach(nullptr);
  settings_.reset();
  table_.reset();
  timer_.reset();
}

void ResidentProgram::start() {
  reportCrashesOf(ctx_.get(), wxDisplayDepth());
  struct Steps : NoStartupSteps {
    explicit Steps(ResidentProgram& p) : program(p) {}
    ResidentProgram& program;
    bool wakeUpAvailable() override { return program.wakeUp_->available(); }
    void keepFailedRunLogbook(Context& ctx) override { setLogbookAside(ctx); }
    // Before the main window: the sender dialog and the printer have no parent.
    void offerErrorReport(Context& ctx) override {
      if (!errorReportWaiting(ctx)) return;
      program.makeMail(nullptr);
      program.reportPrinter_ = std::make_unique<WxPrintPort>(nullptr);
      WxErrorReportQuestion question(ctx);
      printErr(ctx, ErrorReportPorts{question, *program.reportPrinter_, *program.mail_});
    }
    void showAboutBox(Context& ctx) override {
      aboutInfo(nullptr, ctx.CRELEASE, true,
                [this, &ctx] { qlPlaySound(ctx, *program.sound_, 1, 1); });
    }
    void buildDbase(Context& ctx, const std::string& name) override { zrv::buildDbase(ctx, name); }
  } steps(*this);
  const WindowRect rect = startUp(*ctx_, steps);
  // The fonts matched for the splash (every size tried while fitting a font to a pixel
  // height among them) are not all drawn again.
  dropMatchedFonts();
  chooseActivation(*ctx_);

  // Fonts are the dialog look's (widgets/dialog_look.h); the window and its message bar:
  surfaces_ = std::make_unique<CommandSurfaces>(*ctx_, *services_);
  frame_ = new MainFrame(*ctx_, rect, *surfaces_);
  surfaces_->setFrame(frame_);
  ui_->setMainFrame(frame_);
  alert_ = std::make_unique<WxAlertPort>(frame_, entryColours(ctx_->lists), *services_);
  makeMail(frame_);
  autostart_ = std::make_unique<XdgAutostart>();
  settingsWindows_ = std::make_unique<WxSettingsWindows>(
      frame_, *ctx_, WxSettingsWindows::Parts{*services_, *sound_, *mail_, *autostart_});
  registerSettingsCommands(frame_->commands(), *settingsWindows_);
  update_ = std::make_unique<WxUpdateWindows>(frame_, ctx_->CRELEASE, *services_);
  registerUpdateCommands(frame_->commands(), *update_, *wait_);
  registerDiagCommands(frame_->commands(), *launcher_, wxDisplayDepth());
  installTestFault(frame_->commands());

  // In network mode a workstation without a registered user registers first.
  userWindows_ = std::make_unique<WxUserWindows>(frame_, *services_, entryColours(ctx_->lists));
  const bool goOn =
      openTableAtStart(*ctx_, [this](Context& ctx) { return setUpUser(ctx, *userWindows_); });
  timer_ = std::make_unique<DueTimer>(dueTimerSeconds(ctx_->settings.NS_TIMER, *log_), [this] {
    table_->dueCheck(*ctx_);
    if (remote_) remote_->publishNext();
  });
  table_ = std::make_unique<TableFollower>(
      *frame_, [this](AppointmentTable& table) { return makeEnv(table); });
  table_->start(*ctx_);
  ctx_->tableListener = table_.get();
  settings_ = std::make_unique<SettingsFollower>(*frame_);
  ctx_->settingsListener = settings_.get();
  registerNetworkCommands(frame_->commands(), *userWindows_);
  if (!goOn) {
    // The user set-up's "&Abbrechen", or a registration that failed: the program ends as after
    // a click on the close box, without showing its window.
    callAfter(*frame_, [this] { frame_->Close(true); });
    return;
  }

  // A hidden start leaves the window off screen, behind the tray icon; without a notification
  // area it shows the window iconified.
  const bool hidden = ctx_->run.LS_WNDHIDDEN;
  const bool trayHost = TTrayIcon::hostAvailable();
  if (!hidden || !trayHost) frame_->Show();
  if (hidden && !trayHost) frame_->Iconize(true);
  tray_ = std::make_unique<ResidentTray>(*frame_, *ctx_,
                                         TrayMenuActions{[this] { aboutFromTray(); }, {}});
  surfaces_->setTray(tray_.get());
  settings_->setTray(tray_.get());
  if (hidden && !trayHost) tray_->noteNoTray();
  frame_->initialise();
  remote_ = std::make_unique<RemoteControl>(*ctx_, *frame_, *timer_, [this] { return env(); });
  remote_->start();
  remote_->publishNext();
  callAfter(*wxTheApp, [] { returnFreedMemory(); });
  // The trace reader is ready before an error needs it (a crash cannot open it any more).
  callAfter(*wxTheApp, [dir = ctx_->CRUNIN] { loadTraceReader(dir); });
}

// The mail dispatch, made once: at start for the error report (no window yet), or with the main
// window.
void ResidentProgram::makeMail(wxWindow* parent) {
  if (mail_) return;
  senderDialog_ = std::make_unique<WxSenderDialog>(parent, entryColours(ctx_->lists));
  mail_ = std::make_unique<MailSupport>(MailEnv{*ctx_, *transport_, *wait_, *senderDialog_});
}

std::unique_ptr<ReminderEnv> ResidentProgram::makeEnv(AppointmentTable& table) {
  return std::make_unique<ReminderEnv>(
      *ctx_, table,
      ReminderPorts{*timer_, *frame_, *alert_, *sound_, *launcher_, *mail_, *wakeUp_, *wait_});
}

ReminderEnv* ResidentProgram::env() const {
  return table_ ? table_->env() : nullptr;
}

ErrorChoice ResidentProgram::errorDialog(const ErrorPlace& place) {
  ErrorObject error = currentError(place.canRetry, place.canDefault);
  // The error's own flags, as far as the place where it was caught can follow them.
  error.canRetry = error.canRetry && place.canRetry;
  error.canDefault = error.canDefault && place.canDefault;
  if (absorbedError(error)) return ErrorChoice::Default;
  // No alert may fire while the error is handled.
  if (timer_) timer_->halt();
  if (tray_) tray_->end();
  const std::string message = errorMessage(error);
  log_->log(place.where, "Laufzeitfehler: " + message);
  loadTraceReader(ctx_->CRUNIN);
  const int depth = wxDisplayDepth();
  const ErrorReport report = gatherErrorReport(*ctx_, error, depth);
  writeErrorLog(ctx_->CRUNIN, errorLogText(report));
  std::vector<std::string> stack;
  for (const StackLine& line : report.stack)
    stack.push_back("Aufgerufen von " + stackLineText(line));
  const ErrorChoice choice = showErrorWindow(frame_ && frame_->IsShown() ? frame_ : nullptr,
                                             message, stack, error.canRetry, error.canDefault);
  sysInfo(*ctx_, *launcher_, false, depth);
  if (choice != ErrorChoice::End) {
    // Reminders go on: the due check and the tray icon come back.
    if (timer_) timer_->resume();
    if (tray_) tray_->restart();
  }
  return choice;
}

void ResidentProgram::noteLaterError(const char* where) {
  log_->log(where, "Laufzeitfehler: " + currentExceptionText());
}

// "Über Zorvane" of the tray menu: the about box without splash, then the next appointment.
// (The command layer will wrap this like every user command.)
void ResidentProgram::aboutFromTray() {
  aboutInfo(frame_, ctx_->CRELEASE, false);
  if (ReminderEnv* env = this->env()) chkNext(*env, "MenuTray");
}

void ResidentProgram::shutDown() {
  if (remote_) remote_->stop();
  ui_->setMainFrame(nullptr);
  struct Steps : ShutdownSteps {
    explicit Steps(ResidentProgram& p) : program(p) {}
    ResidentProgram& program;
    void closeTables(Context&) override { program.closeTables(); }
    void removeWakeUpJob(Context& ctx) override { removeWakeUpJobAtExit(ctx, *program.wakeUp_); }
    void showLogbook(const fs::path& logbook) override {
      program.launcher_->launch(LaunchRequest{logbook.string(), "", program.ctx_->CRUNIN});
    }
  } steps(*this);
  zrv::shutDown(*ctx_, steps);
}

// Shut-down's first step: the engine lets go of DTER, the timer ends, and the tables are packed
// when something was deleted.
void ResidentProgram::closeTables() {
  static NoTableListener nobody;
  ctx_->tableListener = &nobody;
  static NoSettingsListener noSettings;
  ctx_->settingsListener = &noSettings;
  if (table_) table_->drop();
  timer_.reset();
  packTablesAtExit(*ctx_);
}

}  // namespace zrv
