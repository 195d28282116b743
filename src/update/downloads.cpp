#include "update/downloads.h"

#include <system_error>

#include "app/context.h"
#include "app/maker.h"
#include "app/run_files.h"
#include "app/settings_file.h"
#include "platform/off_thread.h"
#include "ports/wait_port.h"
#include "store/base/file_io.h"
#include "store/base/logbook.h"
#include "update/http_fetch.h"
#include "update/update_address.h"
#include "update/update_version.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

// The version file is a few kilobytes; a server that sends without end is stopped here.
constexpr std::uint64_t kVersionFileLimit = 64 * 1024;

class BusyView {
 public:
  explicit BusyView(UpdateView& view) : view_(view) { view_.busy(true); }
  ~BusyView() { view_.busy(false); }
  BusyView(const BusyView&) = delete;
  BusyView& operator=(const BusyView&) = delete;

 private:
  UpdateView& view_;
};

// Brings what a running fetch has done onto the display lines, on the window thread.
class ProgressLines {
 public:
  ProgressLines(UpdateView& view, const FetchProgress& progress, const std::string& CLUSIZE)
      : view_(view), progress_(progress), CLUSIZE_(CLUSIZE) {}
  void update() {
    if (!connected_ && progress_.isConnected()) {
      connected_ = true;
      view_.show(UpdateLine::Status, "<verbunden>");
      view_.show(UpdateLine::FileStatus, kUpdateFoundText);
    }
    const std::int64_t bytes = progress_.bytes();
    if (bytes != shown_) {
      shown_ = bytes;
      view_.show(UpdateLine::Download, std::to_string(bytes) + CLUSIZE_);
    }
  }

 private:
  UpdateView& view_;
  const FetchProgress& progress_;
  const std::string& CLUSIZE_;
  bool connected_ = false;
  std::int64_t shown_ = 0;
};

// The program's wait, with the display lines brought up to date before each pass.
class ProgressWait : public WaitPort {
 public:
  ProgressWait(WaitPort& wait, ProgressLines& lines) : wait_(wait), lines_(lines) {}
  void waitOneSecond() override { wait_.waitOneSecond(); }
  void whileWaiting() override {
    lines_.update();
    wait_.whileWaiting();
  }

 private:
  WaitPort& wait_;
  ProgressLines& lines_;
};

std::string logged(const std::string& url, const FetchResult& r) {
  return url + ": " + (r.statusLine.empty() ? "keine Antwort" : r.statusLine) + ", " +
         std::to_string(r.bytes) + " Bytes, Code " + std::to_string(r.curlCode);
}

// The display after a fetch that brought no file.
void showFailure(UpdateView& view, const FetchResult& r) {
  switch (r.outcome) {
    case FetchOutcome::NoConnection:
      view.show(UpdateLine::Status, "URL wurde nicht gefunden !");
      view.show(UpdateLine::Download, r.statusLine.empty() ? "Kein Download" : r.statusLine);
      return;
    case FetchOutcome::Refused:
      view.show(UpdateLine::Status, r.statusLine);
      break;
    case FetchOutcome::CannotSave:
      view.show(UpdateLine::FileStatus, "Kann Download-Datei NICHT speichern !");
      break;
    case FetchOutcome::TooShort:
      view.show(UpdateLine::FileStatus, "Zorvane-Update NICHT gefunden !");
      break;
    case FetchOutcome::Broken:
    case FetchOutcome::Received:
      break;
  }
  view.show(UpdateLine::Download, kNoDownloadText);
}

}  // namespace

bool mainOpen(UpdateRun& run, const std::string& url, const char* name, bool showResult,
              std::uint64_t maxBytes) {
  UpdateView& view = run.view;
  const BusyView busy(view);
  view.show(UpdateLine::Address, url.substr(0, url.find("/Dow")));
  if (url.empty()) {
    view.tell("Problem", "Es wurde keine URL gefunden !");
    return false;
  }
  if (!fetchableAddress(url)) {
    run.ctx.log.log("Update", url + ": Adresse abgelehnt");
    view.show(UpdateLine::FileStatus, "Es wurde kein Update gefunden !");
    return false;
  }
  const fs::path file = runFilesFolder(run.ctx) / name;
  FetchOptions options;
  options.maxBytes = maxBytes;
  FetchProgress progress;
  ProgressLines lines(view, progress, run.CLUSIZE);
  ProgressWait wait(run.wait, lines);
  FetchResult result;
  // The fetch writes only its own result and progress; the window reads them after it ended.
  runOffThread(
      [&url, &file, &options, &progress, &result] {
        result = fetchToFile(url, file, options, progress);
        return 0;
      },
      wait);
  lines.update();
  run.ctx.log.log("Update", logged(url, result));
  if (result.outcome != FetchOutcome::Received) {
    showFailure(view, result);
    return false;
  }
  if (showResult) {
    // The download line is two lines high: the arrival, and below it the server's answer (a
    // file arrives only with a status line of 2xx).
    const std::string arrived = "Datei '" + std::string(name) + "' erfolgreich empfangen.";
    view.show(UpdateLine::Download, arrived);
    view.show(UpdateLine::Download, arrived + "\nFertig: " + result.statusLine);
  }
  return true;
}

bool chk4Update(UpdateView& view, const fs::path& file, std::string_view release) {
  const std::string text = readWholeFile(file).value_or("");
  std::error_code ec;
  fs::remove(file, ec);
  const auto published = publishedVersion(text);
  if (published && isNewer(*published, ownVersion(release))) {
    view.show(UpdateLine::FileStatus, kUpdateFoundText);
    return true;
  }
  view.show(UpdateLine::FileStatus, kNoUpdateText);
  view.show(UpdateLine::Download, "Kein Download");
  return false;
}

bool downloads(UpdateRun& run) {
  if (!run.view.ask("Zorvane-Update", "Haben Sie eine Internet-Verbindung hergestellt ?", false)) {
    return false;
  }
  const std::string server = updateServer(run.ctx);
  const fs::path versionFile = runFilesFolder(run.ctx) / kVersionFile;
  std::error_code ec;
  fs::remove(versionFile, ec);
  if (!mainOpen(run, updateAddress(server, kVersionPath), kVersionFile, false, kVersionFileLimit)) {
    return false;
  }
  if (!chk4Update(run.view, versionFile, run.ctx.CRELEASE)) return false;
  const std::string last = settingsFile(run.ctx).text(keys::LastUpSize);
  run.CLUSIZE = last.empty() ? "" : " von ca. " + last;
  return mainOpen(run, updateAddress(server, kInstallerPath), kInstallerFile, true,
                  installerSizeLimit());
}

}  // namespace zrv
