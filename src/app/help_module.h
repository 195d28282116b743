// The help window lives in a module of its own beside the program (zorvane_help.so), opened at
// the first request for help: the HTML library behind it would cost every run memory and start-up
// time, and most runs never open the help book.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/help.h"
#include "store/base/shared_library.h"

namespace zrv {

// Tells the user why help cannot be shown.
using HelpComplaint = std::function<void(const std::string&)>;

// The module's file name in the program directory and the one function it exports: it makes
// the help window's viewer of the book `bookFile` (UTF-8), which keeps a copy of `complain` for
// a book that cannot be read, or null when it cannot. The caller owns the viewer.
inline constexpr const char* kHelpModuleFile = "zorvane_help.so";
inline constexpr const char* kMakeHelpViewer = "zrvMakeHelpViewer";
using MakeHelpViewer = HelpViewer* (*)(const char* bookFile, const HelpComplaint* complain);

// The book's project file in a program directory.
std::filesystem::path helpBookFile(const std::filesystem::path& programDir);

// The program's viewer: opens the module at the first request and hands every request on to the
// viewer the module makes. When the module is missing or fails, the user is told once and no
// help is shown for the rest of the run.
class HelpModuleViewer : public HelpViewer {
 public:
  HelpModuleViewer(std::filesystem::path moduleFile, std::filesystem::path bookFile,
                   HelpComplaint complain);
  ~HelpModuleViewer() override;

  void showTopic(const std::string& topic) override;
  void showContents() override;
  void showIndex() override;

 private:
  HelpViewer* viewer();

  std::filesystem::path module_;
  std::filesystem::path book_;
  HelpComplaint complain_;
  SharedLibrary library_;  // never closed: the viewer's code and the wx classes it adds live there
  std::unique_ptr<HelpViewer> viewer_;
  bool failed_ = false;
};

}  // namespace zrv
