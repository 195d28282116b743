// The look shared by the program's dialogs: the layout unit of two pixels, the small dialog font
// and its bold form, the font faces standing in for the Windows ones, and the entry colours.
#pragma once

#include <string_view>

#include <wx/colour.h>
#include <wx/font.h>
#include <wx/gdicmn.h>

class wxWindow;

namespace zrv {

struct FixedLists;

// Pixels for `units` layout units (2 pixels each), scaled for high-DPI screens of `window`.
int unitsToPx(const wxWindow* window, int units);
// The rectangle of a control placed at (row, column) with width × height in layout units.
wxRect unitRect(const wxWindow* window, int row, int column, int width, int height);
// A window size given in pixels, scaled like the layout units.
wxSize pixelSize(const wxWindow* window, int width, int height);

// The small font "Ms Sans Serif" of height -8: the system's GUI font with the character height
// that face shows at that height (11 pixels, msSansSerifPixels); and the same in bold.
wxFont smallFont();
wxFont smallBoldFont();
// The character height in pixels that the raster face "Ms Sans Serif" shows for a font height
// of `height` (-8 .. -12 all show its smallest size, 8 point: 11 pixels).
int msSansSerifPixels(int height);
// A font by the face name the dialogs were designed with: "Ms Sans Serif" becomes the system's
// GUI font, "Arial" becomes "Liberation Sans" (same metrics); other faces are asked for as named.
// A size given as points ("8 point").
wxFont dialogFont(std::string_view face, int pointSize, bool bold);
// The same for a font height of the Windows font interface ("Arial" -10, the alert's 25): the
// character height in pixels; for "Ms Sans Serif" the height of the size that face shows.
wxFont dialogFontPx(std::string_view face, int pixelHeight, bool bold);

// A Windows colour value 0x00BBGGRR as a wx colour.
wxColour colourFromColorRef(unsigned colorRef);
// Text and background of entry fields (NCOLF on NCOLB).
struct EntryColours {
  wxColour text;
  wxColour back;
};
EntryColours entryColours(const FixedLists& lists);
// The colours the program starts with: NCOLF 1 (black) on NCOLB RGB(255,255,208).
EntryColours defaultEntryColours();

}  // namespace zrv
