// Watches a display for top-level windows being shown: the moment a window with a given title
// is mapped, seen through the X server's own events (no polling, so the moment is exact to
// the event's arrival). For measurements and end-to-end tests of the installed program.
#pragma once

#include <chrono>
#include <string>

namespace zrv::test {

class WindowWatch {
 public:
  // Connects to `display` (":N") and starts watching; ready() tells whether that worked.
  explicit WindowWatch(const std::string& display);
  ~WindowWatch();
  WindowWatch(const WindowWatch&) = delete;
  WindowWatch& operator=(const WindowWatch&) = delete;

  bool ready() const { return display_ != nullptr; }
  // Waits until a top-level window whose title contains `titlePart` (ASCII) is shown, created
  // since the watch began or already shown then. Returns its window id, 0 after `timeout`.
  unsigned long waitShown(const std::string& titlePart, std::chrono::milliseconds timeout);

  // A top-level window whose title contains `titlePart`, shown or not; 0 when there is none.
  unsigned long find(const std::string& titlePart);
  // The state the window manager put `window` in (WM_STATE): kNormal, kIconic, or 0 while it
  // has not taken the window on (or it is gone).
  static constexpr long kNormal = 1;
  static constexpr long kIconic = 3;
  long wmState(unsigned long window);

  struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
  };
  // Where `window` lies on the screen with the frame the window manager drew around it (title
  // bar and borders, as _NET_FRAME_EXTENTS tells them); empty when it is gone.
  Rect frameRect(unsigned long window);

 private:
  void* display_ = nullptr;  // Display*
};

}  // namespace zrv::test
