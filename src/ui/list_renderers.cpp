#include "ui/list_renderers.h"

#include <wx/dc.h>

#include "widgets/bitmaps.h"

namespace zrv {
namespace {

constexpr int kTextMargin = 3;

void fillCell(wxDC& dc, const wxRect& rect, const wxColour& back, bool selected) {
  if (selected) {
    dc.GradientFillLinear(rect, kSelectionTop, kSelectionBottom, wxSOUTH);
    return;
  }
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(back));
  dc.DrawRectangle(rect);
}

void fillHeader(wxDC& dc, wxRect& rect) {
  dc.GradientFillLinear(rect, *wxWHITE, kHeaderBottom, wxSOUTH);
  dc.SetPen(wxPen(kLineGrey));
  dc.DrawLine(rect.GetLeft(), rect.GetBottom(), rect.GetRight() + 1, rect.GetBottom());
  dc.SetPen(wxPen(kHeaderBottom.ChangeLightness(85)));
  dc.DrawLine(rect.GetRight(), rect.GetTop() + 3, rect.GetRight(), rect.GetBottom() - 2);
  rect.Deflate(2);
}

}  // namespace

const wxColour& rowColour(int row) {
  return row % 2 == 1 ? kRowTint : kRowPlain;
}

void ListTextRenderer::Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect,
                            int row, int col, bool isSelected) {
  fillCell(dc, rect, attr.GetBackgroundColour(), isSelected);
  dc.SetFont(attr.GetFont());
  dc.SetTextForeground(attr.GetTextColour());
  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  int hAlign = wxALIGN_LEFT, vAlign = wxALIGN_CENTRE;
  attr.GetAlignment(&hAlign, &vAlign);
  wxRect inner = rect;
  inner.Deflate(kTextMargin, 0);
  const wxString text = grid.GetCellValue(row, col);
  if (text.empty()) return;
  if (text.Find('\n') != wxNOT_FOUND) {
    grid.DrawTextRectangle(dc, text, inner, hAlign, wxALIGN_CENTRE);
    return;
  }
  // One line, measured once (the grid's general routine measures it three times).
  const wxSize extent = dc.GetTextExtent(text);
  int x = inner.x;
  if (hAlign & wxALIGN_RIGHT) {
    x = inner.GetRight() + 1 - extent.x;
  } else if (hAlign & wxALIGN_CENTRE_HORIZONTAL) {
    x = inner.x + (inner.width - extent.x) / 2;
  }
  wxDCClipper clip(dc, rect);
  dc.DrawText(text, x, inner.y + (inner.height - extent.y) / 2);
}

wxSize ListTextRenderer::GetBestSize(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, int row,
                                     int col) {
  dc.SetFont(attr.GetFont());
  return dc.GetTextExtent(grid.GetCellValue(row, col)) + wxSize(2 * kTextMargin, 0);
}

void KindBitmapRenderer::Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect,
                              int row, int col, bool isSelected) {
  fillCell(dc, rect, attr.GetBackgroundColour(), isSelected);
  const wxString code = grid.GetCellValue(row, col);
  if (code.empty()) return;
  const wxBitmap bitmap = bitmapByName(code.utf8_string());
  const int y = rect.GetTop() + (rect.GetHeight() - bitmap.GetHeight()) / 2;
  wxDCClipper clip(dc, rect);
  dc.DrawBitmap(bitmap, rect.GetLeft() + 2, y, true);
}

wxSize KindBitmapRenderer::GetBestSize(wxGrid& grid, wxGridCellAttr&, wxDC&, int row, int col) {
  return naturalBitmapSize(grid.GetCellValue(row, col).utf8_string()) + wxSize(4, 2);
}

void GradientHeaderRenderer::DrawBorder(const wxGrid&, wxDC& dc, wxRect& rect) const {
  fillHeader(dc, rect);
}

void GradientCornerRenderer::DrawBorder(const wxGrid&, wxDC& dc, wxRect& rect) const {
  fillHeader(dc, rect);
}

const wxGridColumnHeaderRenderer& ListAttrProvider::GetColumnHeaderRenderer(int) {
  return header_;
}

const wxGridCornerHeaderRenderer& ListAttrProvider::GetCornerRenderer() {
  return corner_;
}

}  // namespace zrv
