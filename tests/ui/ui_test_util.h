// Helpers for window tests: letting the event loop run, finding controls, clicking like a user
// and keeping screenshots in test-artifacts/ of the build directory.
#pragma once

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "support/test_dir.h"

namespace zrv::test {

// Runs the event loop for about `ms` milliseconds.
inline void pump(int ms = 150) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  do {
    wxTheApp->Yield(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  } while (std::chrono::steady_clock::now() < end);
  wxTheApp->Yield(true);
}

// Runs the event loop until `done` holds or `ms` milliseconds have passed (generous: it only
// ends that early when something went wrong).
inline bool pumpUntil(const std::function<bool()>& done, int ms = 20000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    wxTheApp->Yield(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

// A press of the button as its click would send it.
inline void press(wxButton* button) {
  wxCommandEvent event(wxEVT_BUTTON, button->GetId());
  event.SetEventObject(button);
  button->GetEventHandler()->ProcessEvent(event);
}

// A real mouse click (through the X test extension) in the middle of `window`.
inline void clickWithMouse(wxWindow* window) {
  wxUIActionSimulator sim;
  const wxRect r = window->GetScreenRect();
  sim.MouseMove(r.GetLeft() + r.GetWidth() / 2, r.GetTop() + r.GetHeight() / 2);
  pump(100);
  sim.MouseClick();
  pump(200);
}

// A real key press on the window under the mouse (a bare X server gives it the keyboard).
inline void keyOn(wxWindow* window, int key, int modifiers = wxMOD_NONE) {
  wxUIActionSimulator sim;
  const wxRect r = window->GetScreenRect();
  sim.MouseMove(r.GetLeft() + 2, r.GetTop() + 2);
  pump(100);
  sim.Char(key, modifiers);
  pump(200);
}

// What the screen shows of `window` (it must be shown and not covered), read from the X server
// with ImageMagick's import (wx's screen DC may hand back stale pixels on GTK 3).
inline wxImage screenImage(wxWindow* window) {
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
  wxTheApp->Yield(true);
  const wxRect r = window->GetScreenRect();
  const auto file = artifactDir() / ".screen.png";
  const std::string command = "import -window root -crop " + std::to_string(r.GetWidth()) + "x" +
                              std::to_string(r.GetHeight()) + "+" + std::to_string(r.GetLeft()) +
                              "+" + std::to_string(r.GetTop()) + " +repage '" + file.string() + "'";
  wxImage image;
  if (std::system(command.c_str()) == 0) image.LoadFile(file.string(), wxBITMAP_TYPE_PNG);
  std::filesystem::remove(file);
  return image;
}

// Saves what the screen shows of `window` as test-artifacts/<name>.png; returns the path.
inline std::filesystem::path screenshot(wxWindow* window, const std::string& name) {
  const auto path = artifactDir() / (name + ".png");
  const wxImage image = screenImage(window);
  if (image.IsOk()) image.SaveFile(path.string(), wxBITMAP_TYPE_PNG);
  return path;
}

// The first shown top-level window of type T.
template <typename T>
T* findTopLevel() {
  for (wxWindow* w : wxTopLevelWindows) {
    if (auto* t = dynamic_cast<T*>(w); t && t->IsShown()) return t;
  }
  return nullptr;
}

// Ends every modal dialog (after a test went wrong, so that it cannot hang).
inline void endAllModal() {
  for (wxWindow* w : wxTopLevelWindows) {
    if (auto* d = dynamic_cast<wxDialog*>(w); d && d->IsModal()) d->EndModal(wxID_CANCEL);
  }
}

// Acts on a modal window once it is open: polls for a shown, modal window of type T and runs
// `step` on it, once. Each instance has its own timer, so a step of one may open a nested modal
// window on which another instance then acts. Gives up (test failure, all modal windows ended)
// after `timeoutMs`.
template <typename T>
class WhenModal {
 public:
  explicit WhenModal(std::function<void(T&)> step, int timeoutMs = 30000)
      : step_(std::move(step)),
        deadline_(std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs)) {
    timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { poll(); });
    timer_.Start(50);
  }
  WhenModal(const WhenModal&) = delete;
  WhenModal& operator=(const WhenModal&) = delete;
  bool ran() const { return ran_; }

 private:
  void poll() {
    if (done_) return;
    if (T* window = findTopLevel<T>(); window && window->IsModal()) {
      done_ = true;
      timer_.Stop();
      ran_ = true;
      step_(*window);
    } else if (std::chrono::steady_clock::now() > deadline_) {
      done_ = true;
      timer_.Stop();
      ADD_FAILURE() << "the modal window did not open";
      endAllModal();
    }
  }

  std::function<void(T&)> step_;
  std::chrono::steady_clock::time_point deadline_;
  wxTimer timer_;
  bool done_ = false;
  bool ran_ = false;
};

}  // namespace zrv::test
