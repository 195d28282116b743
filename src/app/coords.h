// The main window's saved position (getCoords at start, putCoords after every move and
// resize). The window itself is the UI's: it passes its outer geometry in pixels.
#pragma once

#include <string_view>

namespace zrv {

struct Context;

// A rectangle as the settings file keeps it: bottom and right are the last pixel row and column
// inside the window.
struct WindowRect {
  int top = 0;
  int left = 0;
  int bottom = 480;
  int right = 640;
  friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// Position and size of a window in pixels.
struct WindowGeometry {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const WindowGeometry&, const WindowGeometry&) = default;
};

// The saved rectangle is never smaller than this.
inline constexpr int kMinWindowWidth = 513;
inline constexpr int kMinWindowHeight = 420;

// Reads [System] Top, Left, Bottom, Right (defaults 0, 0, 480, 640) and logs them.
WindowRect getCoords(Context& ctx);

// Saves the window's position unless it sits at the very top (top 0) or at a top of 3000 or
// more; enlarges the saved rectangle to the minimum size. Always copies ZORVANE.INI to
// ZORVANE.SAV. `caller` names the event for the logbook ("OnMove", "Resize").
void putCoords(Context& ctx, const WindowGeometry& window, std::string_view caller);

// The geometry to create the window with from a saved rectangle: the inverse of what
// putCoords saves, and never smaller than the minimum size.
WindowGeometry geometryOf(const WindowRect& rect);

// A geometry moved and cut so that the window lies on a screen of the given size (a saved
// rectangle may hold any numbers: a window far off the screen or as large as the X server
// allows would block it). Width and height stay at least the minimum when the screen allows.
WindowGeometry fitOnScreen(const WindowGeometry& g, int screenWidth, int screenHeight);

}  // namespace zrv
