// The backup ZORVANE.SAV of the program directory's settings file: restored over ZORVANE.INI
// at every start, rewritten at exit and whenever the window position is saved.
#pragma once

namespace zrv {

struct Context;

// Copies ZORVANE.SAV over ZORVANE.INI when a backup exists. False when there is none or the
// copy failed (the settings file is then unchanged).
bool restoreSettingsBackup(const Context& ctx);

// Copies ZORVANE.INI to ZORVANE.SAV when the program directory holds a settings file.
bool backUpSettings(const Context& ctx);

}  // namespace zrv
