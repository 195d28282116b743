// The file choosers of the editor without their dialogs: where each starts, how a chosen sound
// is stored, and the logbook lines of the sound chooser. The dialog itself is passed in.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace zrv {

struct Context;
class SoundPlayer;
class Table;

// Shows a file-open dialog: title, start folder, wx filter list; the chosen path or "".
using FileDialogPort = std::function<std::string(
    const std::string& title, const std::filesystem::path& startDir, const std::string& filter)>;

inline constexpr const char* kSoundFilter = "Soundfile (*.WAV) |*.wav;*.WAV;*.Wav";
inline constexpr const char* kProgramFilter =
    "Alle Dateien (*.*) |*|Batches (*.BAT)    |*.bat;*.BAT|Programm (*.COM)   |*.com;*.COM|"
    "Programm (*.EXE)   |*.exe;*.EXE";
inline constexpr const char* kAnyFileFilter = "Datei (*.*) |*";

// The program's "sounds" folder (found without regard to case; the program directory when
// there is none).
std::filesystem::path soundFolder(const std::filesystem::path& programDir);
// A chosen file as the tables store it: inside the program directory ".\sounds\gong.wav",
// elsewhere the full path unchanged.
std::string storedPath(const std::filesystem::path& chosen,
                       const std::filesystem::path& programDir);
// Where the program chooser starts: the folder of the current program (stored paths may use
// "\" and ".\"), or the program directory when the current path names no folder.
std::filesystem::path programStartFolder(const std::string& current,
                                         const std::filesystem::path& programDir);

// QLGETSOUND: lets the user pick a wave file in the sounds folder. Logs the old and the new
// file; on a choice plays it and returns it as stored, otherwise returns `old`. `openDsnd`: the
// sound table the sound settings hold open (its index stays), as for qlPlaySound.
std::string qlGetSound(const Context& ctx, SoundPlayer& player, const std::string& old,
                       const FileDialogPort& dialog, Table* openDsnd = nullptr);
// ZRVPROGSTART: lets the user pick a program file; "" when the user cancels.
std::string zrvProgStart(const Context& ctx, const std::string& title, const std::string& current,
                         const FileDialogPort& dialog);

}  // namespace zrv
