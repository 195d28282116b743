// After the installer arrived and the update dialog closed: the program file with its modules
// and the sound table backed up in the folder "Backup" of the program directory, the installer's
// size kept as LastUpSize, and the installer started without a shell, silently, into the program
// directory.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zrv {

struct Context;

inline constexpr const char* kBackupFolder = "Backup";
inline constexpr const char* kBackupFailedText =
    "Die Sicherung im Ordner Backup ist fehlgeschlagen. Das Update wird nicht gestartet.";

// The installer's command line: itself, "/SILENT" and "/DIR=" with the program directory
// (without a trailing separator).
std::vector<std::string> installerArguments(const std::filesystem::path& installer,
                                            const std::filesystem::path& programDir);

// Copies the program file, its modules beside it (zorvane_*.so) and "ZRVPARAM.DBF" into
// "Backup" (made when missing; earlier copies are replaced) through the file seam. False when a
// copy could not be made.
bool backUpProgram(const Context& ctx);

// The backup, LastUpSize and the installer's start. True when the installer runs and the program
// should end; otherwise the user has been told why and the program runs on.
bool startInstaller(Context& ctx);

}  // namespace zrv
