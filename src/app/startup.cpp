#include "app/startup.h"

#include <signal.h>

#include <cerrno>
#include <system_error>

#include "app/check_ini.h"
#include "app/context.h"
#include "app/run_files.h"
#include "app/settings_backup.h"
#include "app/settings_file.h"
#include "ports/user_interface.h"
#include "store/base/clock.h"
#include "store/base/date_time.h"
#include "store/base/file_io.h"
#include "store/base/file_names.h"
#include "store/base/logbook.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

// Files of a run that do not outlive it.
constexpr const char* kRunFiles[] = {"SysInfo.Txt", "Zorvane.Run", "Zorvane.Slp",
                                     "Zorvane.gid", "MakeJob.bat", "MakeJob.sh"};

void removeFile(const Context& ctx, const char* name) {
  const fs::path p = runFile(ctx, name);
  std::error_code ec;
  if (!fs::is_directory(p, ec)) fs::remove(p, ec);
}

// Temporary files of atomic replacements whose process no longer runs: a crash left them. Only
// this machine's: a process of another workstation on a shared directory cannot be asked.
void removeStaleTemporaries(const fs::path& dir) {
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec)) {
    const auto owner = temporaryOwner(e.path().filename().string());
    if (!owner || owner->host != temporaryHost() || !e.is_regular_file(ec)) continue;
    const pid_t pid = static_cast<pid_t>(owner->pid);
    if (pid <= 0 || ::kill(pid, 0) == 0 || errno == EPERM) continue;  // still running
    fs::remove(e.path(), ec);
  }
}

}  // namespace

fs::path programDirectoryOf(const fs::path& programFile) {
  return programFile.parent_path() / "";
}

bool qlMakeSem(const Context& ctx, std::string_view name) {
  return openFile(runFile(ctx, name), "wb") != nullptr;
}

WindowRect startUp(Context& ctx) {
  NoStartupSteps none;
  return startUp(ctx, none);
}

WindowRect startUp(Context& ctx, StartupSteps& steps) {
  ctx.CRELEASE = kRelease;
  ctx.ui.busy(true);
  if (!ctx.CS_EXEPATH.empty()) ctx.CRUNIN = programDirectoryOf(ctx.CS_EXEPATH);
  // Every path the program uses is built from CRUNIN, so a directory that cannot be made
  // current only affects relative paths typed by the user.
  std::error_code ec;
  fs::current_path(ctx.CRUNIN, ec);
  if (ctx.workstationIni.empty()) ctx.workstationIni = workstationIniPath();
  ctx.runFiles = runFilesFolder(ctx.CRUNIN, ctx.workstationIni);
  qlMakeSem(ctx, "Zorvane.Run");
  removeStaleTemporaries(ctx.CRUNIN);
  if (ctx.runFiles != ctx.CRUNIN) removeStaleTemporaries(ctx.runFiles);
  restoreSettingsBackup(ctx);
  ctx.run.LWINXP = steps.wakeUpAvailable();

  const Moment now = ctx.clock.now();
  ctx.run.DS_STARTDATE = now.date;
  ctx.run.DN_DATE = now.date;
  ctx.run.CN_TIME = formatTimeOfDay(now.secondsOfDay);
  ctx.run.NN_WEEK = weekDay(now.date);
  ctx.run.CN_WEEK = std::to_string(ctx.run.NN_WEEK);

  steps.keepFailedRunLogbook(ctx);
  checkIni(ctx);
  steps.offerErrorReport(ctx);
  steps.showAboutBox(ctx);
  if (!fileExists(ctx.CRUNIN, "ZORVANE.TER")) steps.buildDbase(ctx, "Zorvane");
  ctx.log.log("Zorvane Start", "");
  const WindowRect rect = getCoords(ctx);
  ctx.ui.busy(false);
  return rect;
}

void chooseActivation(Context& ctx) {
  const bool hidden = ctx.settings.LS_ASICON;
  ctx.run.LS_WNDHIDDEN = hidden;
  ctx.run.LS_WNDSHOWN = !hidden;
  ctx.run.NS_WNDSTATE = hidden ? 3 : 2;
}

bool qlExit(Context& ctx) {
  using namespace keys;
  const SettingsFile ini = settingsFile(ctx);
  ini.setText(FILENAME, ctx.settings.CN_FILE);
  ini.writeSetting("SYSTEM", "TODAY", std::to_string(ctx.settings.NS_TODAY));
  ini.setDate(LastOn, ctx.clock.today());
  return true;
}

void shutDown(Context& ctx) {
  NoShutdownSteps none;
  shutDown(ctx, none);
}

void shutDown(Context& ctx, ShutdownSteps& steps) {
  steps.closeTables(ctx);
  backUpSettings(ctx);
  for (const char* name : kRunFiles)
    removeFile(ctx, name);
  // An installer started by this run may still be reading its own file: the next end removes it.
  if (!ctx.run.installerStarted) removeFile(ctx, kInstallerFile);
  steps.removeWakeUpJob(ctx);
  ctx.log.log("Zorvane", "Beendet");
  const fs::path logbook = ctx.log.file();
  std::error_code ec;
  if (ctx.settings.LS_SHOWLOG && fs::exists(logbook, ec)) {
    steps.showLogbook(logbook);
  }
}

}  // namespace zrv
