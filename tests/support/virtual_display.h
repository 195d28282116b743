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

  bool ready() const { return ready_; }
  // ":N"
  const std::string& name() const { return name_; }
  // The environment for programs on this display (X11 GTK, no accessibility bus, no Wayland).
  EnvChanges environment() const;

 private:
  std::unique_ptr<Process> server_;
  std::unique_ptr<Process> windowManager_;
  std::string name_;
  bool ready_ = false;
};

}  // namespace zrv::test
