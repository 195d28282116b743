#include "ui/plain_main_frame.h"

#include "app/context.h"
#include "app/startup.h"

namespace zrv {
namespace {

wxString titleOf(const Context& ctx) {
  return wxString::FromUTF8(ctx.CRELEASE + (ctx.settings.LS_LAN ? " Lan" : ""));
}

wxRect rectOf(const WindowRect& saved) {
  const WindowGeometry g = geometryOf(saved);
  return wxRect(g.x, g.y, g.width, g.height);
}

}  // namespace

PlainMainFrame::PlainMainFrame(Context& ctx, const WindowRect& rect)
    : wxFrame(nullptr, wxID_ANY, titleOf(ctx), rectOf(rect).GetPosition(), rectOf(rect).GetSize(),
              wxSYSTEM_MENU | wxCAPTION | wxCLOSE_BOX | wxRESIZE_BORDER, "zorvane"),
      ctx_(ctx) {
  SetBackgroundColour(*wxWHITE);
  SetForegroundColour(*wxBLACK);
  Bind(wxEVT_MOVE, &PlainMainFrame::onMove, this);
  Bind(wxEVT_SIZE, &PlainMainFrame::onSize, this);
  Bind(wxEVT_CLOSE_WINDOW, &PlainMainFrame::onClose, this);
}

WindowGeometry PlainMainFrame::geometry() const {
  const wxRect r = GetRect();
  return WindowGeometry{r.x, r.y, r.width, r.height};
}

void PlainMainFrame::onMove(wxMoveEvent& event) {
  putCoords(ctx_, geometry(), "OnMove");
  event.Skip();
}

void PlainMainFrame::onSize(wxSizeEvent& event) {
  putCoords(ctx_, geometry(), "Resize");
  event.Skip();
}

void PlainMainFrame::onClose(wxCloseEvent& /*event*/) {
  qlExit(ctx_);
  Destroy();
}

}  // namespace zrv
