// The folder of the run's own files: the version file and the installer an update fetches.
// Today the program directory; the one place that names it, so that they can move as a whole.
#pragma once

#include <filesystem>

namespace zrv {

struct Context;

// The update's version file and the installer it downloads, in the folder of the run's files.
inline constexpr const char* kVersionFile = "Zorvane.xml";
inline constexpr const char* kInstallerFile = "ZrvUpdate.exe";

// The folder of the run's files, with a trailing separator.
std::filesystem::path runFilesFolder(const Context& ctx);

}  // namespace zrv
