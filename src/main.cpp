// The zorvane program. With arguments it is the command line, which answers on standard output
// and never loads the toolkit; without, it brings the window of a program already running in
// this directory to the front, or starts the program with its window from the module beside it.
#include <cstdlib>
#include <iostream>

#include "app/check_ini.h"
#include "app/run_files.h"
#include "app/run_marker.h"
#include "app/startup.h"
#include "platform/local_socket.h"
#include "platform/program_path.h"
#include "platform/system_clock.h"
#include "remote/cli_request.h"
#include "remote/command_line.h"
#include "store/base/file_names.h"
#include "store/base/shared_library.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kWindowModule = "zorvane_gui.so";
constexpr const char* kWindowEntry = "zrvRunWindows";

const char* env(const char* name) {
  return std::getenv(name);
}

// Whether a program runs on the run's files of `dir` (it holds the run marker there). A marker this
// look made is removed again, so that the next start does not take it for a crashed run's.
bool programRunsIn(const fs::path& dir) {
  zrv::Result<zrv::RunMarker> marker = zrv::RunMarker::take(dir);
  if (marker.code() == zrv::StatusCode::kLocked) return true;
  if (marker && !marker->stale()) {
    std::error_code ec;
    fs::remove(zrv::findFile(dir, "Zorvane.Run"), ec);
  }
  return false;
}

int runWindows(int argc, char** argv, const fs::path& dir) {
  zrv::SharedLibrary module;
  int (*entry)(int, char**) = nullptr;
  if (!module.open((dir / kWindowModule).c_str()) || !module.resolve(kWindowEntry, entry)) {
    std::cerr << "Zorvane kann sein Fenster nicht öffnen: " << zrv::SharedLibrary::lastError()
              << "\n";
    return zrv::kExitTableUnreachable;
  }
  return entry(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
  std::error_code ec;
  const fs::path program = zrv::runningProgramPath().value_or(fs::absolute(argv[0], ec));
  const fs::path dir = zrv::programDirectoryOf(program);
  // Where a program running on this workstation holds its run marker and listens.
  const fs::path runDir = zrv::runFilesFolder(dir, zrv::workstationIniPath());
  const char* runtime = env("XDG_RUNTIME_DIR");
  const zrv::SystemClock clock;
  const zrv::CommandLineMachine machine{program,
                                        fs::current_path(ec),
                                        clock,
                                        zrv::utcSecondsNow,
                                        zrv::localMomentAt,
                                        zrv::localSocketPath(runDir, runtime ? runtime : ""),
                                        zrv::connectLocalSocket,
                                        env("LC_ALL"),
                                        env("LC_MESSAGES"),
                                        env("LANG"),
                                        runDir};
  if (argc > 1) {
    return zrv::runCommandLine(std::vector<std::string>(argv + 1, argv + argc), machine, std::cout,
                               std::cerr);
  }
  if (programRunsIn(runDir) && zrv::raiseRunningWindow(machine)) return zrv::kExitDone;
  return runWindows(argc, argv, dir);
}
