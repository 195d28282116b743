// Draws a page model on a device context: the printer's in the program, a PDF file's in the
// tests. Rows and columns become pixels of the printable area; the letters are 12 point high.
#pragma once

#include <wx/font.h>
#include <wx/gdicmn.h>

#include "ports/print_port.h"

class wxDC;

namespace zrv {

// "Liberation Mono" (PageFont::Printer) or "Liberation Sans" of `size` (wx's points).
wxFont pageFont(PageFont font, double size);
// The size for 12 point letters on a device of `ppi` pixels per inch. Printer contexts of GTK,
// and wx's cairo contexts of a PDF file, draw a font of n points n screen pixels (1/96 inch)
// high in their own pixels; so 12 points need 12 * ppi / 96 (a pixel height instead goes
// through whole point sizes of the screen and comes out up to a point off).
double fontSizeFor(int ppi);

// Draws `page` on `dc`, whose printable area is `size` pixels at `ppi` pixels per inch.
void paintPage(wxDC& dc, const PrintPage& page, const wxSize& size, int ppi);

}  // namespace zrv
