// The entry that starts the program with the user's desktop session (the setting AStart). The
// program gives the XDG autostart entry (platform/xdg_autostart.h); tests give a recording one.
#pragma once

#include <filesystem>

namespace zrv {

class AutostartPort {
 public:
  virtual ~AutostartPort() = default;
  // Makes the entry start `program` in its own directory. False when it could not be written.
  virtual bool write(const std::filesystem::path& program) = 0;
  // Removes the entry. True when none is left, also when there was none.
  virtual bool remove() = 0;
};

}  // namespace zrv
