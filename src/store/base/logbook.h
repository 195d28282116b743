// The logbook: one time-stamped line per action in "Zorvane.Log" in the program directory,
// Windows-1252 with CR LF, written only while logging is on. A call with an empty text starts
// a new file with its header, readable by its owner alone (mode 0600); every call while logging is
// off deletes the file. Write failures are swallowed: logging never disturbs the caller.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zrv {

class Clock;

class Logbook {
 public:
  // `file` is the logbook's path; `release` is the release title named in the header.
  Logbook(std::filesystem::path file, std::string release, const Clock& clock);

  // Follows the setting LS_LOGBUCH: the settings are read with logging off, and whoever
  // changes LS_LOGBUCH during the run switches the logbook with it.
  void setEnabled(bool on) { enabled_ = on; }
  bool enabled() const { return enabled_; }
  const std::filesystem::path& file() const { return file_; }

  // place and text in UTF-8. Always returns true.
  bool log(std::string_view place, std::string_view text);

 private:
  void startFile() const;
  void appendLine(const std::string& line) const;

  std::filesystem::path file_;
  std::string release_;
  const Clock& clock_;
  bool enabled_ = false;
};

// The logbook of a program directory: "Zorvane.Log", or the spelling that exists there.
std::filesystem::path logbookFile(const std::filesystem::path& programDir);

// ".T." or ".F.", the way logical values appear in logbook texts.
inline const char* logical(bool b) {
  return b ? ".T." : ".F.";
}

}  // namespace zrv
