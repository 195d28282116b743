#include "ui/button_bar.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include "widgets/bitmaps.h"

namespace zrv {
namespace {

constexpr int kGap = 8;         // a separating gap before a button
constexpr int kArrowWidth = 9;  // the drop-down part of a wide button
constexpr int kBitmapSide = 22;

}  // namespace

// A button in the flat look: only its bitmap until the mouse is over it, then a raised frame,
// sunken while pressed.
class FlatButton : public wxWindow {
 public:
  FlatButton(wxWindow* parent, const BarButton& def, std::function<void(bool arrow)> click,
             std::function<void(const std::string&)> status)
      : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxSize(def.width, def.height),
                 wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE),
        def_(def),
        bitmap_(bitmapByName(def.bitmap, wxSize(kBitmapSide, kBitmapSide))),
        click_(std::move(click)),
        status_(std::move(status)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetToolTip(wxString::FromUTF8(def.tooltip));
    Bind(wxEVT_PAINT, &FlatButton::onPaint, this);
    Bind(wxEVT_ENTER_WINDOW, [this](wxMouseEvent&) {
      hot_ = true;
      status_(def_.statusText);
      Refresh();
    });
    Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent&) {
      hot_ = pressed_ = false;
      status_("");
      Refresh();
    });
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) {
      pressed_ = true;
      Refresh();
    });
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
      const bool was = pressed_;
      pressed_ = false;
      Refresh();
      if (was && GetClientRect().Contains(event.GetPosition())) click_(onArrow(event.GetX()));
    });
  }

  bool hasArrow() const { return def_.dropDown != 0; }
  void press(bool arrow) { click_(arrow && hasArrow()); }

 private:
  bool onArrow(int x) const { return hasArrow() && x >= def_.width - kArrowWidth; }

  void onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    const int face = hasArrow() ? size.x - kArrowWidth : size.x;
    const int offset = pressed_ ? 1 : 0;
    dc.DrawBitmap(bitmap_, (face - bitmap_.GetWidth()) / 2 + offset,
                  (size.y - bitmap_.GetHeight()) / 2 + offset, true);
    if (hasArrow()) {
      const int cx = face + kArrowWidth / 2;
      const int cy = size.y / 2;
      const wxPoint arrow[] = {{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}};
      dc.SetPen(*wxBLACK_PEN);
      dc.SetBrush(*wxBLACK_BRUSH);
      dc.DrawPolygon(3, arrow);
    }
    if (!hot_) return;
    const wxColour light = *wxWHITE;
    const wxColour dark = wxColour(96, 96, 96);
    const wxColour& topLeft = pressed_ ? dark : light;
    const wxColour& bottomRight = pressed_ ? light : dark;
    dc.SetPen(wxPen(topLeft));
    dc.DrawLine(0, 0, size.x - 1, 0);
    dc.DrawLine(0, 0, 0, size.y - 1);
    dc.SetPen(wxPen(bottomRight));
    dc.DrawLine(size.x - 1, 0, size.x - 1, size.y);
    dc.DrawLine(0, size.y - 1, size.x, size.y - 1);
    if (hasArrow()) dc.DrawLine(face, 3, face, size.y - 3);
  }

  BarButton def_;
  wxBitmap bitmap_;
  std::function<void(bool)> click_;
  std::function<void(const std::string&)> status_;
  bool hot_ = false;
  bool pressed_ = false;
};

ButtonBar::ButtonBar(wxWindow* parent, const std::vector<BarButton>& buttons,
                     ButtonBarEvents events)
    : wxPanel(parent, wxID_ANY, wxPoint(0, 0), wxSize(-1, kBarHeight), wxBORDER_NONE),
      events_(std::move(events)) {
  SetBackgroundColour(wxColour(kBarColour[0], kBarColour[1], kBarColour[2]));
  SetForegroundColour(*wxBLACK);
  int x = 2;
  for (const BarButton& def : buttons) {
    if (def.gapBefore) x += kGap;
    const CommandId id = def.id;
    const int number = def.dropDown;
    auto* button = new FlatButton(
        this, def,
        [this, id, number](bool arrow) {
          if (arrow) {
            events_.dropDown(number, this->button(id));
          } else {
            events_.pressed(id);
          }
        },
        [this](const std::string& text) { events_.status(text); });
    button->SetPosition(wxPoint(x, (kBarHeight - def.height) / 2));
    buttons_.emplace_back(id, button);
    x += def.width;
  }
  SetMinSize(wxSize(x + 2, kBarHeight));
}

wxWindow* ButtonBar::button(CommandId id) const {
  for (const auto& [key, b] : buttons_) {
    if (key == id) return b;
  }
  return nullptr;
}

void ButtonBar::press(CommandId id, bool arrow) {
  for (const auto& [key, b] : buttons_) {
    if (key == id) b->press(arrow);
  }
}

}  // namespace zrv
