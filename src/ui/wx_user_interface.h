// The user interface of the running program: wx message boxes, the busy cursor and the main
// window's message bar (once the window has one).
#pragma once

#include "ports/user_interface.h"

class wxFrame;

namespace zrv {

class WxUserInterface : public UserInterface {
 public:
  // The frame whose status bar shows statusText/statusPane; null until the main window exists.
  // The main window's own bar (MainStatusBar) gets the panes by name and colours the lamp;
  // another frame's bar gets its panes in the fields after the first.
  void setMainFrame(wxFrame* frame) { frame_ = frame; }

  void message(const std::string& title, const std::string& text, Severity severity) override;
  bool ask(const std::string& title, const std::string& text, bool defaultYes) override;
  void statusText(const std::string& text) override;
  void statusPane(StatusPane pane, const std::string& text) override;
  void statusPaneColour(StatusPane pane, Rgb background) override;
  void busy(bool on) override;

 private:
  wxFrame* frame_ = nullptr;
  int busyDepth_ = 0;
};

}  // namespace zrv
