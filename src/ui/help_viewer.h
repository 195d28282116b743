// The help book on screen: the German HTML book in the program directory's "help" folder, shown
// by wx's HTML help window, and F1 anywhere in the program opening the current topic.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/help.h"

class wxHtmlHelpController;
class wxWindow;

namespace zrv {

// The book's project file in a program directory.
std::filesystem::path helpBookFile(const std::filesystem::path& programDir);

class WxHelpViewer : public HelpViewer {
 public:
  // `complain` tells the user (once per run) when the book cannot be opened.
  WxHelpViewer(std::filesystem::path bookFile, std::function<void(const std::string&)> complain);
  ~WxHelpViewer() override;

  void showTopic(const std::string& topic) override;
  void showContents() override;
  void showIndex() override;

  // The help window while it is open, else null (for tests).
  wxWindow* window() const;

 private:
  bool open();

  std::filesystem::path book_;
  std::function<void(const std::string&)> complain_;
  std::unique_ptr<wxHtmlHelpController> controller_;
  bool failed_ = false;
};

// Makes F1 open help.showCurrent() in every window of the program until the returned object
// is destroyed.
class HelpKey {
 public:
  explicit HelpKey(Help& help);
  ~HelpKey();
  HelpKey(const HelpKey&) = delete;
  HelpKey& operator=(const HelpKey&) = delete;

 private:
  class Filter;
  std::unique_ptr<Filter> filter_;
};

}  // namespace zrv
