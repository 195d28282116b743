#include "app/run_files.h"

#include "app/context.h"
#include "store/base/file_io.h"
#include "store/base/file_names.h"

namespace zrv {
namespace fs = std::filesystem;

fs::path runFilesFolder(const fs::path& programDir, const fs::path& workstationIni) {
  if (fileExists(programDir, "ZORVANE.INI")) return programDir;
  const fs::path folder = workstationIni.parent_path();
  if (folder.empty() || !createPrivateDirectories(folder)) return programDir;
  return folder / "";
}

fs::path runFile(const Context& ctx, std::string_view name) {
  return findFile(ctx.runFiles, name);
}

fs::path runFilesFolder(const Context& ctx) {
  return ctx.runFiles;
}

}  // namespace zrv
