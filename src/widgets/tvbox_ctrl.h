// TVBox: a framed panel with an optional caption on its top edge and a vertical two-colour
// gradient as background. The controls of a dialog are placed on it as its children; its labels
// are drawn in black or white, whichever reads better on the gradient behind them.
#pragma once

#include <set>
#include <vector>

#include <wx/font.h>
#include <wx/panel.h>

namespace zrv {

enum class TVBoxAlign { Left = 1, Centre = 2, Right = 3 };

struct TVBoxStyle {
  wxString caption;  // empty: no caption, the frame runs without a gap
  TVBoxAlign align = TVBoxAlign::Left;
  bool raised = false;               // 3D frame raised rather than sunken
  wxColour captionColour;            // not set: the system's button-shadow colour
  std::vector<wxColour> background;  // none: transparent; one: plain; two: top and bottom
  bool transparent = false;          // no background fill whatever the colours
  wxFont font;                       // not set: the parent's font
};

class TVBox : public wxPanel {
 public:
  using Style = TVBoxStyle;
  using Align = TVBoxAlign;

  // One horizontal band of the gradient, `top` and `height` in pixels.
  struct Band {
    int top;
    int height;
    wxColour colour;
  };

  // `rect` in pixels, relative to the parent.
  TVBox(wxWindow* parent, const wxRect& rect, Style style = {});

  const Style& style() const { return style_; }
  // The caption as drawn: three blanks either side; "" when there is none.
  wxString shownCaption() const;
  bool isTransparent() const;
  // The background's top and bottom colours (equal for a plain box); unset when transparent.
  wxColour topColour() const;
  wxColour bottomColour() const;

  // The bands filling `height` pixels: each a hundredth of the height (at least one pixel),
  // each channel stepping linearly from `top` to `bottom`.
  static std::vector<Band> gradientBands(const wxColour& top, const wxColour& bottom, int height);
  // Black or white, whichever has the higher contrast on `background`.
  static wxColour readableTextOn(const wxColour& background);
  // The background's colour at `y` pixels from the top (the gradient's band there).
  wxColour colourAt(int y) const;

 private:
  void fitLabelColours();
  void onPaint(wxPaintEvent& event);
  void paintFrame(wxDC& dc, int frameTop, int gapLeft, int gapRight);

  Style style_;
  std::set<const wxWindow*> fitted_;  // labels whose colour this box chose
};

}  // namespace zrv
