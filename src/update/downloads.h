// The update dialog's work: the question whether the computer is online, the version file
// fetched and compared with the program's own version, then the installer fetched, each step
// shown on the dialog's four display lines. The transfers run off the window thread while the
// dialog repaints and shows their progress.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zrv {

struct Context;
class WaitPort;

// The dialog's display lines: the server ("Verbinden mit"), the connection ("Status"), the
// file ("Dateistatus") and the download ("Download", two lines high).
enum class UpdateLine { Address, Status, FileStatus, Download };

// What the work needs of the update dialog (update_dialog.h); tests record it.
class UpdateView {
 public:
  virtual ~UpdateView() = default;
  // Shows `text` (UTF-8) on a display line, repainted at once.
  virtual void show(UpdateLine line, const std::string& text) = 0;
  // A yes/no question over the dialog; `defaultYes` preselects. True for yes.
  virtual bool ask(const std::string& title, const std::string& text, bool defaultYes) = 0;
  // A problem's message over the dialog.
  virtual void tell(const std::string& title, const std::string& text) = 0;
  // The wait cursor on or off.
  virtual void busy(bool on) = 0;
};

inline constexpr const char* kNoUpdateText = "Kein Zorvane-Update vorhanden.";
inline constexpr const char* kUpdateFoundText = "Zorvane-Update wurde gefunden.";
inline constexpr const char* kNoDownloadText = "Kein Download !";

// One run of "&Start".
struct UpdateRun {
  Context& ctx;
  UpdateView& view;
  WaitPort& wait;
  std::string CLUSIZE;  // " von ca. " + the last installer's size, or empty
};

// The whole check (DOWNLOADS): true only when the installer arrived in the run's files.
bool downloads(UpdateRun& run);

// Fetches `url` into the file `name` of the run's files (MAINOPEN), at most `maxBytes`; with
// `showResult` the download line tells of the arrival. True when the file arrived complete.
bool mainOpen(UpdateRun& run, const std::string& url, const char* name, bool showResult,
              std::uint64_t maxBytes);

// Whether the version file `file` publishes a version newer than that of `release`
// (CHK4UPDATE); the file is erased afterwards.
bool chk4Update(UpdateView& view, const std::filesystem::path& file, std::string_view release);

}  // namespace zrv
