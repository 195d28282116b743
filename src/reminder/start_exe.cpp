#include "reminder/start_exe.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "app/context.h"
#include "ports/launcher_port.h"
#include "ports/user_interface.h"
#include "reminder/finished.h"
#include "reminder/record_changes.h"
#include "reminder/record_lock.h"
#include "reminder/recurrence.h"
#include "reminder/reminder_env.h"
#include "reminder/text_util.h"
#include "store/appointments/appointment_table.h"
#include "store/base/file_names.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

constexpr const char* kPlace = "StartEXE";

// "http://...", "mailto:..." and the like go to the launcher as they are.
bool isAddress(const std::string& target) {
  const std::size_t colon = target.find(':');
  if (colon == std::string::npos || colon < 2) return false;  // "C:\..." is a drive letter
  return target.compare(colon, 3, "://") == 0 || target.compare(0, 7, "mailto:") == 0;
}

bool isBareName(const std::string& path) {
  return !path.empty() && path.find_first_of("\\/:") == std::string::npos;
}

std::string fileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return trimBlanks(slash == std::string::npos ? path : path.substr(slash + 1));
}

std::string commandText(const std::string& path, const std::string& parameters) {
  std::string command = "\"" + fileNameOf(path) + "\"";
  if (!parameters.empty()) command += " \"" + parameters + "\"";
  return command;
}

// The record of the started program is finished like an alert's: deleted (LS_SLOESCH) or filed
// when finished, moved on otherwise.
void dealWithRecord(ReminderEnv& env) {
  finishWithoutAsking(env, FinishLines{kPlace});
}

}  // namespace

bool startExe(ReminderEnv& env, const std::string& program, const std::string& parameters) {
  Context& ctx = env.ctx;
  const std::string path = trimBlanks(program);
  const std::string params = trimBlanks(parameters);
  LaunchRequest request;
  request.parameters = params;
  if (isAddress(path)) {
    request.target = path;
    request.directory = ctx.CRUNIN;
  } else if (std::error_code ec; isBareName(path) && !std::filesystem::exists(
                                                         resolveStoredPath(ctx.CRUNIN, path), ec)) {
    // A program named without a directory and not in the program directory: the launcher
    // looks it up in the search path.
    request.target = path;
    request.directory = ctx.CRUNIN;
  } else {
    const std::filesystem::path target = resolveStoredPath(ctx.CRUNIN, path);
    request.target = target.string();
    request.directory = target.parent_path();
  }
  ctx.log.log(kPlace, commandText(path, params) + " in: " + request.directory.string());
  LaunchResult started;
  if (path.empty()) {
    started.problem = "Kein Programm angegeben";
  } else {
    started = env.ports.launcher.launch(request);
  }
  if (!started.started) {
    ctx.log.log(kPlace, started.problem);
    ctx.ui.message("Programmstart",
                   "Das Programm konnte nicht gestartet werden:\n" + path + "\n" + started.problem);
    return false;
  }
  dealWithRecord(env);
  return true;
}

}  // namespace zrv
