// Starting an appointment's program on Linux: the program itself with its parameters as
// arguments, in its own directory, without a shell and without waiting; a document or an
// address goes to the desktop's opener (xdg-open).
#pragma once

#include <string>

#include "ports/launcher_port.h"

namespace zrv {

class PosixProgramLauncher : public ProgramLauncher {
 public:
  // `opener` opens documents and addresses; tests pass a script of their own.
  explicit PosixProgramLauncher(std::string opener = "xdg-open") : opener_(std::move(opener)) {}

  // An executable file is started with the parameters split like a command line; an address
  // ("scheme:" followed by "//", or "mailto:") or any other existing file is opened, its
  // parameters are not used then. A bare program name that is not in the working directory is
  // looked up in PATH. A missing target starts nothing.
  LaunchResult launch(const LaunchRequest& request) override;

 private:
  std::string opener_;
};

// Whether a target names an address rather than a file: "http://...", "mailto:...".
bool isAddress(const std::string& target);

}  // namespace zrv
