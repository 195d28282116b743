// The running program as one object: the clock, the logbook, the context, the platform's
// sound, program start, mail and wake-up, the alert windows, the due-check timer, the main
// window and the reminder engine wired to them. start() runs the start-up to the event loop,
// shutDown() the steps after it.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/escaped_error.h"
#include "app/run_marker.h"

class wxWindow;

namespace zrv {

class CommandSurfaces;
class DueTimer;
class HelpKey;
class HelpModuleViewer;
class Logbook;
class LinuxWakeUpScheduler;
class MainFrame;
class PosixProgramLauncher;
class RemoteControl;
class ResidentTray;
class SdlSoundPlayer;
class SystemClock;
class SettingsFollower;
class TableFollower;
class CurlMailTransport;
class MailSupport;
class WxSenderDialog;
class WxAlertPort;
class WxUserInterface;
class WxWait;
class WxPrintPort;
class WxWindowServices;
class WxUserWindows;
class WxSettingsWindows;
class XdgAutostart;
class WxUpdateWindows;
class AppointmentTable;
struct Context;
struct ReminderEnv;

class ResidentProgram {
 public:
  // `marker`: the run marker this run holds (none when it could not be made).
  ResidentProgram(const std::filesystem::path& programFile, std::optional<RunMarker> marker);
  ~ResidentProgram();
  ResidentProgram(const ResidentProgram&) = delete;
  ResidentProgram& operator=(const ResidentProgram&) = delete;

  // Start-up: the program directory, the settings, the first start, the main window at its
  // saved place with its message bar, the appointment table, the due-check timer; then the
  // window is shown (iconified when it starts hidden) and initialised, which starts the due
  // check. The window exists when this returns.
  void start();
  // After the event loop: the tables packed and closed, the timer ended, the settings backed
  // up, the run's files deleted, the last logbook line.
  void shutDown();
  // The exception boundary's error handling (ZorvaneApp), inside a catch block: the tray icon
  // and the due check end, the error goes to the logbook and to "Error.log", the error window
  // asks, "SysInfo.txt" is written. After "&Wiederholen" or "&Default" the due check and the
  // tray icon start again; ending the program is the boundary's part. Absorbed errors come back
  // as Default at once.
  ErrorChoice errorDialog(const ErrorPlace& place);
  // An error after the user chose to end: only the logbook line.
  void noteLaterError(const char* where);

  Context& context() { return *ctx_; }
  MainFrame* frame() const { return frame_; }
  CommandSurfaces* surfaces() const { return surfaces_.get(); }
  ReminderEnv* env() const;
  const DueTimer* timer() const { return timer_.get(); }
  // The mail dispatch; null until start() has made the main window.
  MailSupport* mail() const { return mail_.get(); }

  ResidentTray* tray() const { return tray_.get(); }

 private:
  void closeTables();
  void aboutFromTray();
  void makeMail(wxWindow* parent);
  std::unique_ptr<ReminderEnv> makeEnv(AppointmentTable& table);

  std::optional<RunMarker> marker_;
  std::unique_ptr<SystemClock> clock_;
  std::unique_ptr<WxUserInterface> ui_;
  std::unique_ptr<Logbook> log_;
  std::unique_ptr<Context> ctx_;
  std::unique_ptr<SdlSoundPlayer> sound_;
  std::unique_ptr<PosixProgramLauncher> launcher_;
  std::unique_ptr<CurlMailTransport> transport_;
  std::unique_ptr<WxSenderDialog> senderDialog_;
  std::unique_ptr<MailSupport> mail_;
  std::unique_ptr<XdgAutostart> autostart_;
  std::unique_ptr<WxSettingsWindows> settingsWindows_;  // the settings commands' windows
  std::unique_ptr<LinuxWakeUpScheduler> wakeUp_;
  std::unique_ptr<WxWait> wait_;
  std::unique_ptr<HelpModuleViewer> help_;
  std::unique_ptr<WxWindowServices> services_;
  std::unique_ptr<HelpKey> helpKey_;
  std::unique_ptr<WxAlertPort> alert_;
  std::unique_ptr<DueTimer> timer_;
  std::unique_ptr<TableFollower> table_;  // the engine over the table in use
  std::unique_ptr<SettingsFollower> settings_;
  std::unique_ptr<CommandSurfaces> surfaces_;
  std::unique_ptr<ResidentTray> tray_;
  std::unique_ptr<WxUpdateWindows> update_;
  std::unique_ptr<WxPrintPort> reportPrinter_;  // prints the error report at start
  std::unique_ptr<RemoteControl> remote_;       // the command line's socket
  std::unique_ptr<WxUserWindows> userWindows_;  // the user set-up and the user list
  MainFrame* frame_ = nullptr;                  // owned by wx
};

}  // namespace zrv
