#include "print/page_painter_wx.h"

#include <wx/dc.h>

#include <algorithm>
#include <cmath>

namespace zrv {
namespace {

constexpr int kFrameLeft = 7;  // the head's frame: columns 7 to 79, two rows high
constexpr int kFrameRight = 79;

// Where the grid's rows and columns lie in pixels.
struct Grid {
  double lv;  // one row
  double ch;  // one column
  int x(double column) const { return static_cast<int>(std::lround(column * ch)); }
  int y(double row) const { return static_cast<int>(std::lround(row * lv)); }
};

void drawText(wxDC& dc, const PageText& t, const Grid& g, double fontSize, int rightEdge) {
  dc.SetFont(pageFont(t.font, fontSize));
  const wxString text = wxString::FromUTF8(t.text);
  // A text longer than the room to its right edge (a heading with a long release title) is set
  // smaller rather than cut.
  const int room = rightEdge - g.x(t.column);
  const int width = dc.GetTextExtent(text).x;
  if (width > room && room > 0) dc.SetFont(pageFont(t.font, fontSize * room / width));
  dc.DrawText(text, g.x(t.column), g.y(t.row));
}

}  // namespace

wxFont pageFont(PageFont font, double size) {
  return wxFont(
      wxFontInfo(size).FaceName(font == PageFont::Printer ? "Liberation Mono" : "Liberation Sans"));
}

double fontSizeFor(int ppi) {
  return 12.0 * ppi / 96;
}

void paintPage(wxDC& dc, const PrintPage& page, const wxSize& size, int ppi) {
  const double fontSize = fontSizeFor(ppi);
  const Grid g{static_cast<double>(size.y) / kPageRows, static_cast<double>(size.x) / kPageColumns};
  dc.SetTextForeground(*wxBLACK);
  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  dc.SetPen(wxPen(*wxBLACK, std::max(1, static_cast<int>(std::lround(ppi / 144.0)))));
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  if (page.headFrame) {
    dc.DrawRectangle(g.x(kFrameLeft), 1, g.x(kFrameRight) - g.x(kFrameLeft), g.y(2));
  }
  for (const PageRule& r : page.rules)
    dc.DrawLine(g.x(r.from), g.y(r.row), g.x(r.to), g.y(r.row));
  for (std::size_t i = 0; i < page.texts.size(); ++i) {
    // The heading stays inside its frame, every other text on the page.
    const bool heading = page.headFrame && i == 0;
    drawText(dc, page.texts[i], g, fontSize, heading ? g.x(kFrameRight - 0.5) : size.x);
  }
}

}  // namespace zrv
