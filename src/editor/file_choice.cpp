#include "editor/file_choice.h"

#include <algorithm>

#include "app/context.h"
#include "reminder/sound_slots.h"
#include "store/base/ascii_case.h"
#include "store/base/logbook.h"

namespace zrv {
namespace fs = std::filesystem;

fs::path soundFolder(const fs::path& programDir) {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(programDir, ec)) {
    if (asciiUpper(entry.path().filename().string()) == "SOUNDS" && entry.is_directory(ec)) {
      return entry.path();
    }
  }
  return programDir;
}

std::string storedPath(const fs::path& chosen, const fs::path& programDir) {
  const std::string dir = programDir.lexically_normal().string();
  const std::string file = chosen.lexically_normal().string();
  const std::string prefix = dir.ends_with('/') ? dir : dir + "/";
  if (file.size() <= prefix.size() ||
      asciiUpper(file.substr(0, prefix.size())) != asciiUpper(prefix)) {
    return chosen.string();
  }
  std::string rest = file.substr(prefix.size());
  std::replace(rest.begin(), rest.end(), '/', '\\');
  return ".\\" + rest;
}

fs::path programStartFolder(const std::string& current, const fs::path& programDir) {
  std::string path = current;
  std::replace(path.begin(), path.end(), '\\', '/');
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return programDir;
  fs::path folder = slash == 0 ? fs::path("/") : fs::path(path.substr(0, slash));
  if (folder.is_relative()) folder = programDir / folder;
  std::error_code ec;
  return fs::is_directory(folder, ec) ? folder.lexically_normal() : programDir;
}

std::string qlGetSound(const Context& ctx, SoundPlayer& player, const std::string& old,
                       const FileDialogPort& dialog, Table* openDsnd) {
  const std::string chosen =
      dialog ? dialog("Sound-Datei suchen", soundFolder(ctx.CRUNIN), kSoundFilter) : "";
  ctx.log.log("QLGetSound", "Alt: " + old + " Neu: " + chosen);
  if (chosen.empty()) return old;
  ctx.log.log("QLGetSound", " Neu: " + chosen);
  const std::string stored = storedPath(chosen, ctx.CRUNIN);
  (void)qlPlaySound(ctx, player, kSoundFile, 0, stored, openDsnd);
  return stored;
}

std::string zrvProgStart(const Context& ctx, const std::string& title, const std::string& current,
                         const FileDialogPort& dialog) {
  if (!dialog) return "";
  return dialog(title, programStartFolder(current, ctx.CRUNIN), kProgramFilter);
}

}  // namespace zrv
