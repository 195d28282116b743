#include "calendar/calendar_look_wx.h"

#include <wx/dialog.h>
#include <wx/window.h>

#include <string>

#include "widgets/call_after.h"
#include "widgets/xbase_colours.h"

namespace zrv {

wxFont calendarFont(const wxWindow* window, int pixels, bool bold) {
  const int px = window ? window->FromDIP(pixels) : pixels;
  wxFontInfo info(wxSize(0, px));
  info.FaceName("Liberation Sans").Family(wxFONTFAMILY_SWISS);
  if (bold) info.Bold();
  return wxFont(info);
}

CalendarColours calendarColours(std::string_view pair) {
  const std::size_t slash = pair.find('/');
  std::string fore(pair.substr(0, slash));
  std::string back(slash == std::string_view::npos ? "W" : pair.substr(slash + 1));
  // In the foreground part "*" asks for the bright background, as on a text screen without
  // blinking; "+" stays with the text.
  if (fore.find('*') != std::string::npos) {
    std::erase(fore, '*');
    back += '+';
  }
  return {xbaseColour(fore).value_or(*wxBLACK), xbaseColour(back).value_or(*wxWHITE)};
}

void keepPlace(wxDialog* dialog, const wxPoint& place) {
  dialog->Move(place);
  // GTK centres a modal dialog on its owner when it shows it: the place is set once more then.
  dialog->Bind(wxEVT_SHOW, [dialog, place](wxShowEvent& e) {
    if (e.IsShown()) callAfter(*dialog, [dialog, place] { dialog->Move(place); });
    e.Skip();
  });
}

}  // namespace zrv
