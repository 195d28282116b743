// The folder of the run's own files: the run marker, the logbook, the wake-up script,
// SysInfo.txt, the mail bodies, the sound index, the error report and the update files. In a
// single-user installation it is the program directory. Whenever the workstation settings file
// is in use (the program directory holds no ZORVANE.INI: several workstations share it) it is
// the folder of that settings file, so that workstations never meet in each other's files: one
// copy per workstation, not one per program directory, and no logbook, script or mail body of
// one deleted or overwritten by another.
#pragma once

#include <filesystem>
#include <string_view>

namespace zrv {

struct Context;

// The update's version file and the installer it downloads, in the folder of the run's files.
inline constexpr const char* kVersionFile = "Zorvane.xml";
inline constexpr const char* kInstallerFile = "ZrvUpdate.exe";

// The folder for a program directory: `programDir` when it holds a ZORVANE.INI (any case),
// otherwise the folder of `workstationIni`, created (owner only) when missing; the program
// directory again when that folder cannot be made.
std::filesystem::path runFilesFolder(const std::filesystem::path& programDir,
                                     const std::filesystem::path& workstationIni);

// The run's file `name` in ctx.runFiles, in whatever case it exists there.
std::filesystem::path runFile(const Context& ctx, std::string_view name);
// The folder of this run's files (ctx.runFiles).
std::filesystem::path runFilesFolder(const Context& ctx);

}  // namespace zrv
