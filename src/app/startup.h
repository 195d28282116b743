// The program's start and end without the windows: the start-up steps up to reading the
// window position, the close handler's settings, and the shut-down steps after the event loop.
// Steps that belong to other parts of the program come in through StartupSteps and
// ShutdownSteps.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "app/coords.h"

namespace zrv {

struct Context;

// The start-up steps that belong to other parts of the program. NoStartupSteps is the
// explicit choice of none of them.
class StartupSteps {
 public:
  virtual ~StartupSteps() = default;
  // LWINXP: whether the platform offers a usable wake-up facility.
  virtual bool wakeUpAvailable() = 0;
  // Before the settings are read (which starts a new logbook): keeps the logbook of a run that
  // left an error report.
  virtual void keepFailedRunLogbook(Context& ctx) = 0;
  // Offers the error log left by a previous run (printErr).
  virtual void offerErrorReport(Context& ctx) = 0;
  // The about box in its start-up form (aboutInfo(true)).
  virtual void showAboutBox(Context& ctx) = 0;
  // First start: the program directory holds no ZORVANE.TER; creates the table `name`
  // (buildDbase("Zorvane")).
  virtual void buildDbase(Context& ctx, const std::string& name) = 0;
};

class NoStartupSteps : public StartupSteps {
 public:
  bool wakeUpAvailable() override { return false; }
  void keepFailedRunLogbook(Context&) override {}
  void offerErrorReport(Context&) override {}
  void showAboutBox(Context&) override {}
  void buildDbase(Context&, const std::string&) override {}
};

// The shut-down steps that belong to other parts of the program; NoShutdownSteps does none.
class ShutdownSteps {
 public:
  virtual ~ShutdownSteps() = default;
  // Packs the tables when LS_PACK is set and closes them; runs before the settings backup.
  virtual void closeTables(Context& ctx) = 0;
  // Removes the wake-up job the due check may have registered.
  virtual void removeWakeUpJob(Context& ctx) = 0;
  // Opens the logbook for the user (LS_SHOWLOG on and the logbook exists).
  virtual void showLogbook(const std::filesystem::path& logbook) = 0;
};

class NoShutdownSteps : public ShutdownSteps {
 public:
  void closeTables(Context&) override {}
  void removeWakeUpJob(Context&) override {}
  void showLogbook(const std::filesystem::path&) override {}
};

// The program directory of a program file: its directory, with a trailing separator.
std::filesystem::path programDirectoryOf(const std::filesystem::path& programFile);

// Creates (or truncates) the empty marker file `name` among the run's files (ctx.runFiles).
// False on failure.
bool qlMakeSem(const Context& ctx, std::string_view name);

// Start-up up to the window: makes the program directory (from CS_EXEPATH when set) current,
// chooses the folder of the run's files, creates the run marker "Zorvane.Run" there, removes
// temporary files this machine's dead processes left, restores ZORVANE.SAV over ZORVANE.INI, fills
// the start values of the run state, keeps a failed run's logbook, reads the settings (checkIni),
// runs the steps, starts the logbook
// ("Zorvane Start") and returns the saved window rectangle (getCoords).
WindowRect startUp(Context& ctx, StartupSteps& steps);
WindowRect startUp(Context& ctx);  // with NoStartupSteps

// How the main window is first activated: hidden in the tray when LS_ASICON is on
// (NS_WNDSTATE 3), else shown normally (NS_WNDSTATE 2).
void chooseActivation(Context& ctx);

// The close handler's settings: [ZORVANE] FILENAME, [SYSTEM] TODAY, [SYSTEM] LastOn.
// Returns true: the window may close.
bool qlExit(Context& ctx);

// After the event loop: closes the tables (a step), backs up the settings file, deletes the run
// marker and the run's other temporary files (ctx.runFiles; an update's installer only when this
// run did not start it), and writes the last logbook line ("Zorvane", "Beendet").
void shutDown(Context& ctx, ShutdownSteps& steps);
void shutDown(Context& ctx);  // with NoShutdownSteps

}  // namespace zrv
