// Starting child processes without a shell: detached ones that are reaped in the background so
// that no zombie remains, and short commands whose exit status is waited for.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zrv {

struct SpawnResult {
  long pid = 0;   // > 0 when started
  int error = 0;  // errno value when not started
};

// Starts argv[0] (looked up in PATH when it has no slash) with the arguments in `directory`
// (unchanged when empty), in a session of its own, and returns at once. A background thread
// waits for the child, so it never lingers as a zombie and nobody else's wait is disturbed.
SpawnResult spawnDetached(const std::vector<std::string>& argv,
                          const std::filesystem::path& directory);

// Runs argv with its output discarded and waits for it. The exit status, or -1 when it could
// not be started or did not exit normally.
int runAndWait(const std::vector<std::string>& argv);

}  // namespace zrv
