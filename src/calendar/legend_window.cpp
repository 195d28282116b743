#include "calendar/legend_window.h"

#include <wx/dcclient.h>

#include "calendar/calendar_cell_ctrl.h"
#include "calendar/calendar_look_wx.h"
#include "calendar/month_page.h"
#include "widgets/dialog_look.h"

namespace zrv {
namespace {

constexpr int kClientWidth = 70, kClientHeight = 64;  // layout units: 140 × 128 pixels
constexpr int kTextWidth = kClientWidth - 11;
constexpr const char* kColours = "N*/W";

wxPoint placeOver(wxWindow* calendar) {
  if (!calendar) return wxDefaultPosition;
  const wxRect r = calendar->GetScreenRect();
  return wxPoint(r.GetLeft() + 70, r.GetTop() + 70);
}

}  // namespace

LegendWindow::LegendWindow(wxWindow* calendar)
    : wxDialog(calendar, wxID_ANY, wxS("Legende"), placeOver(calendar), wxDefaultSize,
               wxBORDER_SIMPLE) {
  const CalendarColours look = calendarColours(kColours);
  SetBackgroundColour(look.back);
  SetForegroundColour(look.fore);
  SetFont(calendarFont(this, 10));
  SetClientSize(unitsToPx(this, kClientWidth), unitsToPx(this, kClientHeight));
  // The pop-up's border, drawn by the window itself (no window manager draws one).
  Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
    wxPaintDC dc(this);
    dc.SetPen(wxPen(wxColour(96, 96, 96)));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(GetClientRect());
  });
  int row = 2;
  bool first = true;
  for (const LegendRow& entry : legendRows()) {
    auto* bitmap = new CalendarCellCtrl(this, unitRect(this, row, 2, 6, 6), look.fore, look.back);
    bitmap->setBitmap(entry.bitmap);
    // The first text stops short of the close button, the others at the border.
    auto* text = new CalendarCellCtrl(this, unitRect(this, row, 10, first ? 50 : kTextWidth, 6),
                                      look.fore, look.back);
    text->setAlignment(wxALIGN_LEFT);
    text->setCaption(wxString::FromUTF8(entry.text));
    row += 7;
    first = false;
  }
  close_ = new CalendarCellCtrl(this, unitRect(this, 1, 65, 5, 5), look.fore, look.back);
  close_->setBitmap("K_Close");
  close_->SetToolTip(wxS("Schließen"));
  close_->setAction([this] { finish(); });
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
    if (e.GetKeyCode() == WXK_ESCAPE) {
      finish();
    } else {
      e.Skip();
    }
  });
  if (calendar) {
    keepPlace(this, placeOver(calendar));
  } else {
    CentreOnScreen();
  }
}

void LegendWindow::finish() {
  if (IsModal()) {
    EndModal(wxID_CLOSE);
  } else {
    Hide();
  }
}

}  // namespace zrv
