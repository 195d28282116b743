#include "app/help_module.h"

namespace zrv {
namespace fs = std::filesystem;

fs::path helpBookFile(const fs::path& programDir) {
  return programDir / "help" / "zorvane.hhp";
}

HelpModuleViewer::HelpModuleViewer(fs::path moduleFile, fs::path bookFile, HelpComplaint complain)
    : module_(std::move(moduleFile)), book_(std::move(bookFile)), complain_(std::move(complain)) {}

HelpModuleViewer::~HelpModuleViewer() = default;

HelpViewer* HelpModuleViewer::viewer() {
  if (viewer_ || failed_) return viewer_.get();
  MakeHelpViewer make = nullptr;
  std::string reason;
  if (!library_.open(module_.c_str())) {
    reason = SharedLibrary::lastError();
    const std::string prefix = module_.string() + ": ";  // the path is named once, up front
    if (reason.rfind(prefix, 0) == 0) reason.erase(0, prefix.size());
  } else if (!library_.resolve(kMakeHelpViewer, make)) {
    reason = std::string(kMakeHelpViewer) + " fehlt";
  } else {
    viewer_.reset(make(book_.c_str(), &complain_));
    if (!viewer_) reason = "das Hilfefenster konnte nicht angelegt werden";
  }
  if (!viewer_) {
    failed_ = true;
    if (complain_) {
      complain_("Die Hilfe kann nicht angezeigt werden, ihr Modul fehlt oder ist beschädigt: " +
                module_.string() + " (" + reason + ")");
    }
  }
  return viewer_.get();
}

void HelpModuleViewer::showTopic(const std::string& topic) {
  if (HelpViewer* v = viewer()) v->showTopic(topic);
}

void HelpModuleViewer::showContents() {
  if (HelpViewer* v = viewer()) v->showContents();
}

void HelpModuleViewer::showIndex() {
  if (HelpViewer* v = viewer()) v->showIndex();
}

}  // namespace zrv
