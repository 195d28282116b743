#include "widgets/tvbox_ctrl.h"

#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/stattext.h>

#include <algorithm>
#include <cmath>

namespace zrv {
namespace {

constexpr int kFrameTopWithoutCaption = 6;
constexpr int kCaptionIndent = 4;

// Relative luminance of a colour (0 black .. 1 white), as contrast is judged on screens.
double luminance(const wxColour& c) {
  const auto linear = [](unsigned char v) {
    const double x = v / 255.0;
    return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(c.Red()) + 0.7152 * linear(c.Green()) + 0.0722 * linear(c.Blue());
}

unsigned char channel(int from, int to, int step, int steps) {
  const int value = steps <= 1 ? from : from + (to - from) * step / (steps - 1);
  return static_cast<unsigned char>(std::clamp(value, 0, 255));
}

}  // namespace

TVBox::TVBox(wxWindow* parent, const wxRect& rect, Style style)
    : wxPanel(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(),
              wxTAB_TRAVERSAL | wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE),
      style_(std::move(style)) {
  if (!style_.captionColour.IsOk()) {
    style_.captionColour = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
  }
  if (style_.font.IsOk()) SetFont(style_.font);
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &TVBox::onPaint, this);
}

wxString TVBox::shownCaption() const {
  return style_.caption.empty() ? wxString() : "   " + style_.caption + "   ";
}

bool TVBox::isTransparent() const {
  return style_.transparent || style_.background.empty();
}

wxColour TVBox::topColour() const {
  return isTransparent() ? wxColour() : style_.background.front();
}

wxColour TVBox::bottomColour() const {
  return isTransparent() ? wxColour() : style_.background.back();
}

std::vector<TVBox::Band> TVBox::gradientBands(const wxColour& top, const wxColour& bottom,
                                              int height) {
  std::vector<Band> bands;
  if (height <= 0) return bands;
  const int bandHeight = std::max(1, height / 100);
  const int steps = (height + bandHeight - 1) / bandHeight;
  for (int i = 0; i < steps; ++i) {
    const int y = i * bandHeight;
    const wxColour c(channel(top.Red(), bottom.Red(), i, steps),
                     channel(top.Green(), bottom.Green(), i, steps),
                     channel(top.Blue(), bottom.Blue(), i, steps));
    bands.push_back({y, std::min(bandHeight, height - y), c});
  }
  return bands;
}

wxColour TVBox::readableTextOn(const wxColour& background) {
  // The contrast ratio of black and of white against the background; the larger one wins.
  const double l = luminance(background);
  return (l + 0.05) / 0.05 >= 1.05 / (l + 0.05) ? *wxBLACK : *wxWHITE;
}

wxColour TVBox::colourAt(int y) const {
  const int height = std::max(1, GetClientSize().y);
  for (const Band& band : gradientBands(topColour(), bottomColour(), height)) {
    if (y < band.top + band.height) return band.colour;
  }
  return bottomColour();
}

// Labels (also those of check boxes and radio buttons) without a colour of their own are drawn in
// black or white, whichever reads better on the part of the gradient behind them.
void TVBox::fitLabelColours() {
  if (isTransparent()) return;
  for (wxWindow* child : GetChildren()) {
    const bool isLabel = dynamic_cast<wxStaticText*>(child) || dynamic_cast<wxCheckBox*>(child) ||
                         dynamic_cast<wxRadioButton*>(child);
    wxWindow* label = child;
    if (!isLabel || (label->UseForegroundColour() && !fitted_.contains(label))) continue;
    const wxRect r = label->GetRect();
    const wxColour text = readableTextOn(colourAt(r.y + r.height / 2));
    if (label->GetForegroundColour() != text) label->SetForegroundColour(text);
    fitted_.insert(label);
  }
}

void TVBox::onPaint(wxPaintEvent&) {
  fitLabelColours();
  wxPaintDC dc(this);
  const wxSize size = GetClientSize();
  dc.SetFont(GetFont());
  dc.SetPen(*wxTRANSPARENT_PEN);
  if (isTransparent()) {
    dc.SetBrush(wxBrush(GetParent() ? GetParent()->GetBackgroundColour()
                                    : wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.DrawRectangle(wxPoint(0, 0), size);
  } else {
    for (const Band& band : gradientBands(topColour(), bottomColour(), size.y)) {
      dc.SetBrush(wxBrush(band.colour));
      dc.DrawRectangle(0, band.top, size.x, band.height);
    }
  }

  const wxString caption = shownCaption();
  int frameTop = kFrameTopWithoutCaption;
  int gapLeft = 0, gapRight = 0;
  if (!caption.empty()) {
    const wxSize extent = dc.GetTextExtent(caption);
    frameTop = extent.y / 2;
    switch (style_.align) {
      case Align::Left:
        gapLeft = kCaptionIndent;
        break;
      case Align::Centre:
        gapLeft = (size.x - extent.x) / 2;
        break;
      case Align::Right:
        gapLeft = size.x - extent.x - kCaptionIndent;
        break;
    }
    gapRight = gapLeft + extent.x;
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(style_.captionColour);
    dc.DrawText(caption, gapLeft, 0);
  }
  paintFrame(dc, frameTop, gapLeft, gapRight);
}

void TVBox::paintFrame(wxDC& dc, int frameTop, int gapLeft, int gapRight) {
  const wxSize size = GetClientSize();
  const wxColour light = wxSystemSettings::GetColour(wxSYS_COLOUR_3DHIGHLIGHT);
  const wxColour dark = wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW);
  // An etched frame: an outer and an inner rectangle one pixel apart, in opposite colours.
  auto rectangle = [&](int offset, const wxColour& colour) {
    const int left = offset, top = frameTop + offset;
    const int right = size.x - 2 + offset, bottom = size.y - 2 + offset;
    dc.SetPen(wxPen(colour));
    if (gapRight > gapLeft) {
      dc.DrawLine(left, top, std::max(left, gapLeft), top);
      dc.DrawLine(std::min(right, gapRight), top, right, top);
    } else {
      dc.DrawLine(left, top, right, top);
    }
    dc.DrawLine(right, top, right, bottom);
    dc.DrawLine(right, bottom, left, bottom);
    dc.DrawLine(left, bottom, left, top);
  };
  rectangle(0, style_.raised ? light : dark);
  rectangle(1, style_.raised ? dark : light);
}

}  // namespace zrv
