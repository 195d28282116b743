// The about box: the program's banner and three notice lines in a 320 × 200 window. At start it
// is the splash screen, which closes by itself after three seconds or at a click and plays the
// start sound once; from the menus it closes at a click (or Escape) and stays silent.
#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include <functional>
#include <string>

namespace zrv {

inline constexpr int kSplashMs = 3000;  // the splash screen closes by itself after this long

// The three notice lines (UTF-8): the product with its version, what it is, the maker.
struct AboutLines {
  std::string product, purpose, notice;
};
AboutLines aboutLines(const std::string& release);

class AboutBox : public wxDialog {
 public:
  // `splash`: the start-up form; `startSound` then runs once, when the window is first shown
  // (it may be empty). Centred on `parent`, or on the screen without one.
  AboutBox(wxWindow* parent, const std::string& release, bool splash,
           std::function<void()> startSound = {});

  bool splash() const { return splash_; }
  // True while the splash timer runs.
  bool timerRunning() const { return timer_.IsRunning(); }

 private:
  void close();
  void onFirstShown();
  void bindClick(wxWindow* w);

  bool splash_;
  bool shownOnce_ = false;
  std::function<void()> startSound_;
  wxTimer timer_;
};

// ABOUTINFO: shows the about box modally over `parent`. True.
bool aboutInfo(wxWindow* parent, const std::string& release, bool splash,
               std::function<void()> startSound = {});

}  // namespace zrv
