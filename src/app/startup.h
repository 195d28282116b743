// The program's start and end without the windows: the start-up steps up to reading the
// window position, the close handler's settings, and the shut-down steps after the event loop.
// Steps that belong to other parts of the program come in as hooks; an unset hook is skipped.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "app/coords.h"

namespace zrv {

struct Context;

struct StartupHooks {
  // LWINXP: whether the platform offers a usable wake-up facility. Unset: false.
  std::function<bool()> wakeUpAvailable;
  // Offers the error log left by a previous run (printErr).
  std::function<void(Context&)> offerErrorReport;
  // The about box in its start-up form (aboutInfo(true)).
  std::function<void(Context&)> showAboutBox;
  // First start: the program directory holds no ZORVANE.TER; creates the table `name`
  // (buildDbase("Zorvane")).
  std::function<void(Context&, const std::string& name)> buildDbase;
};

struct ShutdownHooks {
  // Packs the tables when LS_PACK is set and closes them; runs before the settings backup.
  std::function<void(Context&)> closeTables;
  // Removes the wake-up job the due check may have registered.
  std::function<void(Context&)> removeWakeUpJob;
  // Opens the logbook for the user (LS_SHOWLOG on and the logbook exists).
  std::function<void(const std::filesystem::path& logbook)> showLogbook;
};

// The program directory of a program file: its directory, with a trailing separator.
std::filesystem::path programDirectoryOf(const std::filesystem::path& programFile);

// Creates (or truncates) the empty file `name` in the program directory. False on failure.
bool qlMakeSem(const Context& ctx, std::string_view name);

// Start-up up to the window: makes the program directory (from CS_EXEPATH when set) current,
// creates the run marker "Zorvane.Run", restores ZORVANE.SAV over ZORVANE.INI, fills the start
// values of the run state, reads the settings (checkIni), runs the hooks, starts the logbook
// ("Zorvane Start") and returns the saved window rectangle (getCoords).
WindowRect startUp(Context& ctx, const StartupHooks& hooks = {});

// How the main window is first activated: hidden in the tray when LS_ASICON is on
// (NS_WNDSTATE 3), else shown normally (NS_WNDSTATE 2).
void chooseActivation(Context& ctx);

// The close handler's settings: [ZORVANE] FILENAME, [SYSTEM] TODAY, [SYSTEM] LastOn.
// Returns true: the window may close.
bool qlExit(Context& ctx);

// After the event loop: closes the tables (hook), backs up the settings file, deletes the run
// marker and the temporary files, and writes the last logbook line ("Zorvane", "Beendet").
void shutDown(Context& ctx, const ShutdownHooks& hooks = {});

}  // namespace zrv
