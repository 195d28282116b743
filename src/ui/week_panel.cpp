#include "ui/week_panel.h"

#include <wx/statbox.h>
#include <wx/textctrl.h>

#include <cmath>

#include "widgets/call_after.h"
#include "widgets/dialog_look.h"

namespace zrv {
namespace {

// The overview's geometry counts the button bar and the message bar in the window's height;
// here the content area is the space between them, so it is handed over with their share.
constexpr int kBarsShare = 64;
// Gap between the content area's edges and the boxes, in pixels.
constexpr int kEdge = 5;

std::string withoutCarriageReturns(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != '\r') out += c;
  }
  return out;
}

int px(const wxWindow* window, double units) {
  return window->FromDIP(static_cast<int>(std::lround(units * 2)));
}

}  // namespace

WeekPanel::WeekPanel(wxWindow* parent, const std::array<std::string, kDaysOfWeek>& captions,
                     const std::array<std::string, kDaysOfWeek>& texts, std::function<void()> leave)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE),
      leave_(std::move(leave)) {
  SetFont(smallFont());
  SetBackgroundColour(*wxWHITE);
  // Black on white: the classic "N*/W" gives a grey (128) too pale to read on white.
  const wxColour text = *wxBLACK;
  for (int day = 0; day < kDaysOfWeek; ++day) {
    const auto i = static_cast<std::size_t>(day);
    frames_[i] = new wxStaticBox(this, wxID_ANY, wxString::FromUTF8(captions[i]));
    boxes_[i] = new wxTextCtrl(this, wxID_ANY, wxString::FromUTF8(withoutCarriageReturns(texts[i])),
                               wxDefaultPosition, wxDefaultSize,
                               wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP | wxBORDER_NONE);
    boxes_[i]->SetForegroundColour(text);
    boxes_[i]->SetBackgroundColour(*wxWHITE);
  }
  Bind(wxEVT_CHAR_HOOK, &WeekPanel::onCharHook, this);
}

void WeekPanel::layoutFor(const wxSize& size) {
  SetSize(size);
  const double toUnits = 1.0 / FromDIP(2);
  const int height = static_cast<int>((size.y - 2 * kEdge) * toUnits * 2) + kBarsShare;
  const int width = static_cast<int>((size.x - 2 * kEdge) * toUnits * 2);
  const WeekLayout layout = weekLayout(height, width);
  for (std::size_t i = 0; i < kDaysOfWeek; ++i) {
    const UnitBox& f = layout.frames[i];
    frames_[i]->SetSize(kEdge + px(this, f.left), kEdge + px(this, f.top),
                        px(this, f.right - f.left), px(this, f.bottom - f.top));
    boxes_[i]->SetSize(kEdge + px(this, f.left + 3), kEdge + px(this, f.top + 8),
                       px(this, layout.textWidth), std::max(px(this, layout.textHeights[i]), 8));
  }
}

void WeekPanel::onCharHook(wxKeyEvent& event) {
  const int key = event.GetKeyCode();
  if (key == WXK_ESCAPE || key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
    // Leaving destroys this panel: not while its own key event is still being handled.
    callAfter(*this, [leave = leave_] {
      if (leave) leave();
    });
    return;
  }
  event.Skip();
}

}  // namespace zrv
