#include "update/update_install.h"

#include <system_error>

#include "app/context.h"
#include "app/run_files.h"
#include "app/settings_file.h"
#include "platform/spawn.h"
#include "ports/user_interface.h"
#include "store/base/file_names.h"
#include "store/base/file_ops.h"
#include "store/base/logbook.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

// Copies `from` to `to`; a missing source is nothing to keep.
bool copyIfPresent(const fs::path& from, const fs::path& to) {
  FileOps& ops = fileOps();
  if (!ops.exists(from)) return true;
  const Result<std::string> bytes = ops.readFile(from);
  return bytes && static_cast<bool>(ops.writeFile(to, *bytes));
}

std::string withoutTrailingSeparator(const fs::path& dir) {
  std::string text = dir.string();
  while (text.size() > 1 && text.back() == '/')
    text.pop_back();
  return text;
}

// The program's modules beside its file (the windows, the help, iCalendar): without them the
// program file alone could not be put back.
std::vector<fs::path> programModules(const fs::path& dir) {
  std::vector<fs::path> modules;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.starts_with("zorvane_") && name.ends_with(".so") && it->is_regular_file(ec)) {
      modules.push_back(it->path());
    }
  }
  return modules;
}

std::string joined(const std::vector<std::string>& argv) {
  std::string out;
  for (const std::string& a : argv)
    out += (out.empty() ? "" : " ") + a;
  return out;
}

}  // namespace

std::vector<std::string> installerArguments(const fs::path& installer, const fs::path& programDir) {
  return {installer.string(), "/SILENT", "/DIR=" + withoutTrailingSeparator(programDir)};
}

bool backUpProgram(const Context& ctx) {
  const fs::path folder = findFile(ctx.CRUNIN, kBackupFolder);
  std::error_code ec;
  fs::create_directory(folder, ec);
  if (ec) return false;
  std::vector<fs::path> files{ctx.CS_EXEPATH, findFile(ctx.CRUNIN, "ZRVPARAM.DBF")};
  for (const fs::path& module : programModules(ctx.CS_EXEPATH.parent_path()))
    files.push_back(module);
  for (const fs::path& file : files) {
    if (!copyIfPresent(file, folder / file.filename())) return false;
  }
  return true;
}

bool startInstaller(Context& ctx) {
  if (!backUpProgram(ctx)) {
    ctx.log.log("Update", kBackupFailedText);
    ctx.ui.message("Problem", kBackupFailedText, Severity::Problem);
    return false;
  }
  const fs::path installer = runFilesFolder(ctx) / kInstallerFile;
  std::error_code ec;
  const auto size = fs::file_size(installer, ec);
  if (!ec) settingsFile(ctx).setNumber(keys::LastUpSize, static_cast<long>(size));
  fs::permissions(installer, fs::perms::owner_all, fs::perm_options::replace, ec);
  const std::vector<std::string> argv = installerArguments(installer, ctx.CRUNIN);
  const SpawnResult started = spawnDetached(argv, ctx.CRUNIN);
  if (started.pid <= 0) {
    ctx.log.log("Update", "Nicht gestartet: " + joined(argv) + " (Fehler " +
                              std::to_string(started.error) + ")");
    ctx.ui.message("Problem", "Das Zorvane-Update konnte nicht gestartet werden !",
                   Severity::Problem);
    return false;
  }
  ctx.run.installerStarted = true;
  ctx.log.log("Update", "Gestartet: " + joined(argv));
  return true;
}

}  // namespace zrv
