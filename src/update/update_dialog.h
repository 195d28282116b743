// The window "<release> Internet-Update" (DOWNLOADIT): the line that says what it is for, the
// four display lines of the check and download with their values in bold, and the buttons
// "&Start" (once per window) and "&Ende". Its work is the update's (downloads.h); it closes
// itself when the installer arrived.
#pragma once

#include <array>
#include <functional>
#include <string>

#include <wx/dialog.h>

#include "update/downloads.h"
#include "update/update_commands.h"

class wxButton;
class wxSizer;
class wxStaticText;

namespace zrv {

class WindowServices;

class UpdateDialog : public wxDialog, public UpdateView {
 public:
  // `start` runs on "&Start" with this window as its view; true when the installer arrived.
  UpdateDialog(wxWindow* parent, const std::string& release, WindowServices& services,
               std::function<bool(UpdateView&)> start);

  void show(UpdateLine line, const std::string& text) override;
  bool ask(const std::string& title, const std::string& text, bool defaultYes) override;
  void tell(const std::string& title, const std::string& text) override;
  void busy(bool on) override;

  // Whether "&Start" brought the installer (LOK).
  bool received() const { return received_; }

 private:
  wxSizer* makeLines(int gap);
  wxSizer* makeButtons(int gap);
  void onStart();

  WindowServices& services_;
  std::function<bool(UpdateView&)> start_;
  std::array<wxStaticText*, 4> values_{};
  wxButton* startButton_ = nullptr;
  wxButton* endButton_ = nullptr;
  bool running_ = false;
  bool received_ = false;
};

// The program's update windows: the dialog over the main window, and the main window closed
// after the command that started the installer.
class WxUpdateWindows : public UpdateWindows {
 public:
  WxUpdateWindows(wxWindow* mainWindow, std::string release, WindowServices& services)
      : mainWindow_(mainWindow), release_(std::move(release)), services_(services) {}
  bool downloadDialog(const std::function<bool(UpdateView&)>& start) override;
  void endProgram() override;

 private:
  wxWindow* mainWindow_;
  std::string release_;
  WindowServices& services_;
};

}  // namespace zrv
