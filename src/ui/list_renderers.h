// How the appointment list is drawn: cells on their row colour (or on the grey gradient of the
// selected row), the kind's bitmap in the first column, and column headings on a green
// gradient. The colours are the list's own; the grid draws no lines.
#pragma once

#include <wx/grid.h>

namespace zrv {

// Row backgrounds: every second row (the 2nd, 4th ... as the user counts) is tinted.
inline const wxColour kRowTint(227, 245, 241);
inline const wxColour kRowPlain(255, 255, 255);
// The selected row: a gradient from white down to grey.
inline const wxColour kSelectionTop(255, 255, 255);
inline const wxColour kSelectionBottom(128, 128, 128);
// Headings: black on a gradient from white down to this green.
inline const wxColour kHeaderBottom(165, 192, 170);
// The grey of the list's lines.
inline const wxColour kLineGrey(128, 128, 128);
// The flag column's red.
inline const wxColour kFlagRed(255, 0, 0);

// The background of row `row` (0-based).
const wxColour& rowColour(int row);

// Text cells: the attribute's colours and alignment, with a small margin.
class ListTextRenderer : public wxGridCellRenderer {
 public:
  void Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row, int col,
            bool isSelected) override;
  wxSize GetBestSize(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, int row, int col) override;
  wxGridCellRenderer* Clone() const override { return new ListTextRenderer; }
};

// The kind column: the bitmap named by the cell's value (a kind code such as "TA7").
class KindBitmapRenderer : public wxGridCellRenderer {
 public:
  void Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row, int col,
            bool isSelected) override;
  wxSize GetBestSize(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, int row, int col) override;
  wxGridCellRenderer* Clone() const override { return new KindBitmapRenderer; }
};

// Column headings and the corner on the gradient.
class GradientHeaderRenderer : public wxGridColumnHeaderRenderer {
 public:
  void DrawBorder(const wxGrid& grid, wxDC& dc, wxRect& rect) const override;
};
class GradientCornerRenderer : public wxGridCornerHeaderRenderer {
 public:
  void DrawBorder(const wxGrid& grid, wxDC& dc, wxRect& rect) const override;
};

// Hands the grid the gradient headings.
class ListAttrProvider : public wxGridCellAttrProvider {
 public:
  const wxGridColumnHeaderRenderer& GetColumnHeaderRenderer(int col) override;
  const wxGridCornerHeaderRenderer& GetCornerRenderer() override;

 private:
  GradientHeaderRenderer header_;
  GradientCornerRenderer corner_;
};

}  // namespace zrv
