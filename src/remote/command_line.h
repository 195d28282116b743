// `zorvane` with arguments: reads them, answers --help and --version at once, hands a command to
// the running program through its socket, or, when none runs in the program directory, opens the
// appointment table itself (exclusively, with its journal and checks) and carries the command out.
// Nothing here starts the windows.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "store/base/clock.h"

namespace zrv {

class LineChannel;

// What the command line needs of the machine; main() passes the platform's.
struct CommandLineMachine {
  std::filesystem::path programFile;  // the running program (its directory is the program's)
  std::filesystem::path workingDir;   // where relative file names point
  const Clock& clock;
  std::function<std::int64_t()> nowUtc;
  std::function<Moment(std::int64_t)> toLocal;
  std::filesystem::path socket;  // the running program's socket for this directory
  std::function<std::unique_ptr<LineChannel>(const std::filesystem::path&, std::string&)> connect;
  const char* lcAll = nullptr;  // the locale variables that choose the help's language
  const char* lcMessages = nullptr;
  const char* lang = nullptr;
  // The folder of the run's files (app/run_files.h: the workstation's own folder on a shared
  // program directory), where a running program holds its run marker; empty: the program
  // directory.
  std::filesystem::path runFiles = {};
};

// Runs the command of `args` (without the program name); the exit code.
int runCommandLine(const std::vector<std::string>& args, const CommandLineMachine& m,
                   std::ostream& out, std::ostream& err);

// A second start without arguments while a program runs in the directory: asks it to bring its
// window to the front. False when it could not be reached.
bool raiseRunningWindow(const CommandLineMachine& m);

}  // namespace zrv
