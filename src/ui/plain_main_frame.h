// The main window as far as start-up and shut-down need it: titled with the release, placed at
// the saved rectangle, saving its position when moved or resized, and writing the close
// handler's settings when closed. The appointment list and the menus come into it later.
#pragma once

#include <wx/frame.h>

#include "app/coords.h"

namespace zrv {

struct Context;

class PlainMainFrame : public wxFrame {
 public:
  PlainMainFrame(Context& ctx, const WindowRect& rect);

 private:
  WindowGeometry geometry() const;
  void onMove(wxMoveEvent& event);
  void onSize(wxSizeEvent& event);
  void onClose(wxCloseEvent& event);

  Context& ctx_;
};

}  // namespace zrv
