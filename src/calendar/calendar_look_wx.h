// The look of the calendar's windows: fonts given as pixel heights of the character, and the
// classic colour pairs ("W*/B") in which "*" brightens the background and "+" the text.
#pragma once

#include <string_view>

#include <wx/colour.h>
#include <wx/font.h>

class wxDialog;
class wxPoint;
class wxWindow;

namespace zrv {

// "Arial" (Liberation Sans, same metrics) with characters `pixels` high, scaled for high-DPI
// screens of `window`.
wxFont calendarFont(const wxWindow* window, int pixels, bool bold = false);

struct CalendarColours {
  wxColour fore;
  wxColour back;
};
// "N*/W" -> black on bright white; unreadable letters give black on white.
CalendarColours calendarColours(std::string_view pair);

// Keeps the dialog at `place` on the screen, also when it is shown modally.
void keepPlace(wxDialog* dialog, const wxPoint& place);

}  // namespace zrv
