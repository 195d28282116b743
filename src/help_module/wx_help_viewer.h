// The help book on screen: the German HTML book in the program directory's "help" folder, shown
// by wx's HTML help window. It lives in the help module (help_module.cpp), which the program
// loads at the first request for help.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/help.h"

class wxHtmlHelpController;
class wxWindow;

namespace zrv {

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

}  // namespace zrv
