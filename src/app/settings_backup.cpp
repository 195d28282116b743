#include "app/settings_backup.h"

#include <system_error>

#include "app/context.h"
#include "app/settings_file.h"
#include "store/base/file_io.h"
#include "store/base/file_names.h"

namespace zrv {
namespace {

bool copyIfPresent(const Context& ctx, const char* from, const char* to) {
  const auto source = findFile(ctx.CRUNIN, from);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(source, ec)) return false;
  return copyFileAtomically(source, findFile(ctx.CRUNIN, to), kSettingsFileMode, kSettingsFileMode);
}

}  // namespace

bool restoreSettingsBackup(const Context& ctx) {
  return copyIfPresent(ctx, "ZORVANE.SAV", "ZORVANE.INI");
}

bool backUpSettings(const Context& ctx) {
  return copyIfPresent(ctx, "ZORVANE.INI", "ZORVANE.SAV");
}

}  // namespace zrv
