// The run marker "Zorvane.Run" among the run's files (the program directory, or the
// workstation's folder: app/run_files.h), locked (flock) for the whole run: a second copy of the
// program on the same files finds it locked and must end before it touches anything; a marker found
// unlocked was left by a run that did not end cleanly.
#pragma once

#include <filesystem>

#include "store/base/status.h"

namespace zrv {

class RunMarker {
 public:
  // Takes the marker in `folder` (creating it when missing; an existing one keeps its
  // bytes). kLocked when another process holds it: that process runs in this directory.
  static Result<RunMarker> take(const std::filesystem::path& folder);

  RunMarker(RunMarker&& other) noexcept;
  RunMarker& operator=(RunMarker&& other) noexcept;
  RunMarker(const RunMarker&) = delete;
  RunMarker& operator=(const RunMarker&) = delete;
  ~RunMarker();

  // The marker was there unlocked: the last run ended without removing it (a crash, a kill,
  // a power failure).
  bool stale() const { return stale_; }

 private:
  RunMarker(int fd, bool stale) : fd_(fd), stale_(stale) {}
  int fd_ = -1;
  bool stale_ = false;
};

// The German message of a second copy.
inline constexpr const char* kAlreadyRunning =
    "Zorvane läuft in diesem Programmverzeichnis bereits. Diese zweite Kopie wird beendet, "
    "ohne etwas zu ändern.";

}  // namespace zrv
