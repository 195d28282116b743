#include "calendar/calendar_cell_ctrl.h"

#include <wx/dcbuffer.h>

#include <algorithm>

#include "widgets/bitmaps.h"

namespace zrv {
namespace {

// Cell bitmaps with a dark filling: their caption is white.
bool darkBitmap(const std::string& name) {
  return name == "KFeier" || name == "KHeuFei" || name == "KKWoche";
}

}  // namespace

CalendarCellCtrl::CalendarCellCtrl(wxWindow* parent, const wxRect& rect, const wxColour& fore,
                                   const wxColour& back)
    : wxWindow(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(),
               wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetForegroundColour(fore);
  SetBackgroundColour(back);
  Bind(wxEVT_PAINT, [this](wxPaintEvent&) { paint(); });
  Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) {
    if (action_) {
      pressed_ = true;
      Refresh();
    }
    e.Skip();
  });
  Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    Refresh();
    // A release outside the cell takes the press back, as with a button.
    if (wasPressed && GetClientRect().Contains(e.GetPosition())) click();
  });
  Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent& e) {
    if (pressed_) {
      pressed_ = false;
      Refresh();
    }
    e.Skip();
  });
}

void CalendarCellCtrl::setBitmap(const std::string& name) {
  if (name == bitmap_) return;
  bitmap_ = name;
  Refresh();
}

void CalendarCellCtrl::setCaption(const wxString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Refresh();
}

void CalendarCellCtrl::setAlignment(int alignment) {
  alignment_ = alignment;
  Refresh();
}

void CalendarCellCtrl::setAction(Action action) {
  action_ = std::move(action);
  SetCursor(action_ ? wxCursor(wxCURSOR_HAND) : wxNullCursor);
}

void CalendarCellCtrl::setMarked(bool marked) {
  if (marked == marked_) return;
  marked_ = marked;
  Refresh();
}

void CalendarCellCtrl::click() {
  // The action may close the dialog and destroy this cell: nothing after it.
  if (action_) action_();
}

wxColour CalendarCellCtrl::captionColour() const {
  return darkBitmap(bitmap_) ? *wxWHITE : GetForegroundColour();
}

void CalendarCellCtrl::paint() {
  wxAutoBufferedPaintDC dc(this);
  dc.SetBackground(wxBrush(GetBackgroundColour()));
  dc.Clear();
  const wxSize size = GetClientSize();
  const int shift = pressed_ ? 1 : 0;  // a pressed cell sinks by a pixel
  if (!bitmap_.empty()) {
    const wxBitmap bmp = bitmapByName(bitmap_, size);
    dc.DrawBitmap(bmp, (size.x - bmp.GetWidth()) / 2 + shift,
                  (size.y - bmp.GetHeight()) / 2 + shift, true);
  }
  if (marked_) {
    // Yellow stands out from the calendar's blue around the day's picture.
    const int width = std::max(2, FromDIP(2));
    dc.SetPen(wxPen(wxColour(255, 255, 0), width));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(width / 2, width / 2, size.x - width + 1, size.y - width + 1);
  }
  if (caption_.empty()) return;
  dc.SetFont(GetFont());
  dc.SetTextForeground(bitmap_.empty() ? GetForegroundColour() : captionColour());
  const wxSize text = dc.GetTextExtent(caption_);
  const int x = alignment_ == wxALIGN_LEFT ? 0 : (size.x - text.x) / 2;
  dc.DrawText(caption_, x + shift, (size.y - text.y) / 2 + shift);
}

}  // namespace zrv
