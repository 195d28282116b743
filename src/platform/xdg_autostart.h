// The autostart entry of the desktop session: "zorvane.desktop" in the folder "autostart" of
// the user's configuration ($XDG_CONFIG_HOME, by default ~/.config), which freedesktop sessions
// read at log-in. The entry starts the program in its own directory.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "ports/autostart_port.h"

namespace zrv {

inline constexpr const char* kAutostartFile = "zorvane.desktop";

// The value of the entry's Exec key that starts `program` and nothing else: its path as one
// quoted argument, escaped so that blanks, quotes, "$", "`", "\" and "%" in it reach the program
// unchanged. nullopt for a path that an entry cannot hold (not UTF-8, or with control
// characters such as a line break).
std::optional<std::string> execLine(const std::filesystem::path& program);

// The entry's text for `program`; nullopt when its path cannot be written into an entry.
std::optional<std::string> autostartEntry(const std::filesystem::path& program);

class XdgAutostart : public AutostartPort {
 public:
  // `configHome`: the user's configuration folder; empty: $XDG_CONFIG_HOME when it is an
  // absolute path, otherwise ~/.config.
  explicit XdgAutostart(std::filesystem::path configHome = {});

  // The entry's file.
  std::filesystem::path file() const;

  bool write(const std::filesystem::path& program) override;
  bool remove() override;

 private:
  std::filesystem::path configHome_;
};

}  // namespace zrv
