// The platform's program launcher: starts an appointment's program, or opens its document or
// address with the desktop's default application.
#pragma once

#include <filesystem>
#include <string>

namespace zrv {

struct LaunchRequest {
  std::string target;               // program or document path (native), or an URL
  std::string parameters;           // the program's parameters as the user typed them
  std::filesystem::path directory;  // working directory of the started program
};

struct LaunchResult {
  bool started = false;
  long pid = 0;         // process started (the program, or the opener of a document)
  std::string problem;  // German text for the logbook when nothing was started
};

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // Starts without waiting for the program to end; the program outlives the call.
  virtual LaunchResult launch(const LaunchRequest& request) = 0;
};

}  // namespace zrv
