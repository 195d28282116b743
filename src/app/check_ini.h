// checkIni: chooses the settings file, reads every setting into the context and builds the
// program's fixed lists. Runs once at start-up.
#pragma once

#include <filesystem>

namespace zrv {

struct Context;
struct FixedLists;

// $XDG_CONFIG_HOME/zorvane/ZORVANE.INI, or ~/.config/zorvane/ZORVANE.INI.
std::filesystem::path workstationIniPath();

// Chooses CINIFILE: the program directory's ZORVANE.INI when it exists; otherwise the
// workstation file, refreshed from the program directory's template ZORVANE.USR. Sets the folder
// of the run's files with it (runFilesFolder).
void chooseSettingsFile(Context& ctx);

// The recurrence kinds, appointment kinds and their bitmap codes, and the dialog colours.
FixedLists buildFixedLists();

// Reads all settings (missing keys give their defaults) and switches the logbook to LS_LOGBUCH.
// Writes [ZORVANE] Product. Returns true. A program start begins a new logbook (`newLogbook`);
// the command line, which works between two starts, keeps the one there is.
bool checkIni(Context& ctx, bool newLogbook = true);

}  // namespace zrv
