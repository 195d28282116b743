// An X display of its own for one end-to-end test: Xvfb on a free display number, with the
// openbox window manager, so that windows get title bars and can be closed like a user does.
#pragma once

#include <memory>
#include <string>

#include "support/process.h"

namespace zrv::test {

class VirtualDisplay {
 public:
  // Starts Xvfb and openbox; check ready() before use.
  VirtualDisplay();
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  bool ready() const { return ready_; }
  // ":N"
  const std::string& name() const { return name_; }
  // The environment for programs on this display (X11 GTK, no accessibility bus, no Wayland).
  EnvChanges environment() const;
  // What went on while starting (the attempts, and what Xvfb and openbox said), for a failure.
  std::string diagnostics() const;

 private:
  bool startServer();
  bool startWindowManager();
  bool windowManagerAnswers() const;
  void note(const std::string& line) const;

  std::unique_ptr<Process> server_;
  std::unique_ptr<Process> windowManager_;
  std::string name_;
  int chatter_ = -1;  // an unlinked temporary file that takes Xvfb's and openbox's output
  bool ready_ = false;
};

}  // namespace zrv::test
