#include "settings/setup_tabs_ctrl.h"

#include <wx/dcbuffer.h>
#include <wx/renderer.h>

#include "widgets/dialog_look.h"

namespace zrv {
namespace {

constexpr int kPadding = 8;  // pixels either side of a caption
constexpr int kRaise = 3;    // how much higher the chosen tab stands

int accelIndex(const wxString& label) {
  const int at = label.Find('&');
  return at == wxNOT_FOUND || at + 1 >= static_cast<int>(label.length()) ? -1 : at;
}

}  // namespace

wxChar mnemonicOf(const wxString& label) {
  const int at = accelIndex(label);
  return at < 0 ? 0 : static_cast<wxChar>(wxTolower(label[at + 1]));
}

SetupTabs::SetupTabs(wxWindow* parent, const wxPoint& pos, const std::vector<wxString>& captions,
                     const Look& look)
    : wxControl(parent, wxID_ANY, pos, wxDefaultSize, wxBORDER_NONE),
      captions_(captions),
      look_(look) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetFont(parent->GetFont());
  layoutTabs();
  SetSize(DoGetBestSize());
  Bind(wxEVT_PAINT, &SetupTabs::onPaint, this);
  Bind(wxEVT_LEFT_DOWN, &SetupTabs::onClick, this);
  Bind(wxEVT_KEY_DOWN, &SetupTabs::onKey, this);
  Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) {
    Refresh();
    e.Skip();
  });
  Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
    Refresh();
    e.Skip();
  });
}

wxString SetupTabs::caption(int page) const {
  return wxStripMenuCodes(captions_.at(page), wxStrip_Mnemonics);
}

wxRect SetupTabs::tabRect(int page) const {
  return tabs_.at(page);
}

void SetupTabs::layoutTabs() {
  tabs_.clear();
  const int height = GetCharHeight() + kPadding + kRaise + 4;
  int x = 2;
  for (std::size_t i = 0; i < captions_.size(); ++i) {
    const int width = GetTextExtent(caption(static_cast<int>(i))).x + 2 * kPadding;
    tabs_.emplace_back(x, kRaise, width, height - kRaise);
    x += width;
  }
}

wxSize SetupTabs::DoGetBestSize() const {
  if (tabs_.empty()) return wxSize(10, 10);
  return wxSize(tabs_.back().GetRight() + 4, tabs_.back().GetBottom() + 1);
}

void SetupTabs::select(int page) {
  if (page < 0 || page >= static_cast<int>(captions_.size()) || page == selection_) return;
  selection_ = page;
  Refresh();
  if (listener_) listener_(page);
}

int SetupTabs::pageOfMnemonic(wxChar letter) const {
  const wxChar lower = static_cast<wxChar>(wxTolower(letter));
  for (std::size_t i = 0; i < captions_.size(); ++i) {
    if (mnemonicOf(captions_[i]) == lower) return static_cast<int>(i);
  }
  return -1;
}

void SetupTabs::onPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  dc.SetBackground(wxBrush(look_.strip));
  dc.Clear();
  dc.SetFont(GetFont());
  dc.SetTextForeground(look_.text);
  const wxColour edge = *wxBLACK;
  const int bottom = GetClientSize().y - 1;
  for (std::size_t i = 0; i < tabs_.size(); ++i) {
    wxRect r = tabs_[i];
    const bool chosen = static_cast<int>(i) == selection_;
    if (chosen) r = wxRect(r.x - 2, 0, r.width + 4, r.height + kRaise + 1);
    dc.SetPen(wxPen(edge));
    dc.SetBrush(wxBrush(look_.tab));
    dc.DrawRoundedRectangle(r.x, r.y, r.width, r.height + 4, 3);
    // The chosen tab runs into its page; the others stand on the row's bottom line.
    if (!chosen) dc.DrawLine(r.x, bottom, r.GetRight() + 1, bottom);
    const wxString text = captions_[i];
    const int accel = accelIndex(text);
    wxString shown = caption(static_cast<int>(i));
    dc.DrawLabel(shown, wxRect(r.x, r.y, r.width, r.height - (chosen ? 0 : 1)), wxALIGN_CENTER,
                 accel);
    if (chosen && HasFocus()) {
      const wxSize extent = dc.GetTextExtent(shown);
      const wxRect focus(r.x + (r.width - extent.x) / 2 - 2, r.y + (r.height - extent.y) / 2 - 1,
                         extent.x + 4, extent.y + 2);
      wxRendererNative::Get().DrawFocusRect(this, dc, focus);
    }
  }
}

void SetupTabs::onClick(wxMouseEvent& event) {
  for (std::size_t i = 0; i < tabs_.size(); ++i) {
    wxRect hit = tabs_[i];
    hit.y = 0;
    hit.height += kRaise;
    if (hit.Contains(event.GetPosition())) select(static_cast<int>(i));
  }
}

void SetupTabs::onKey(wxKeyEvent& event) {
  switch (event.GetKeyCode()) {
    case WXK_LEFT:
      select(selection_ - 1);
      break;
    case WXK_RIGHT:
      select(selection_ + 1);
      break;
    default:
      event.Skip();
  }
}

}  // namespace zrv
