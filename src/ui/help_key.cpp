#include "ui/help_key.h"

#include <wx/app.h>
#include <wx/eventfilter.h>

#include "widgets/call_after.h"

namespace zrv {

// F1 reaches the program as a char hook of the window that has the keyboard, whichever it is.
class HelpKey::Filter : public wxEventFilter {
 public:
  explicit Filter(Help& help) : help_(help) {}
  int FilterEvent(wxEvent& event) override {
    if (event.GetEventType() != wxEVT_CHAR_HOOK) return Event_Skip;
    if (static_cast<wxKeyEvent&>(event).GetKeyCode() != WXK_F1) return Event_Skip;
    // Shown after the key's own handling has ended, so that a modal window stays usable.
    if (wxTheApp) callAfter(*wxTheApp, [&help = help_] { help.showCurrent(); });
    return Event_Processed;
  }

 private:
  Help& help_;
};

HelpKey::HelpKey(Help& help) : filter_(std::make_unique<Filter>(help)) {
  wxEvtHandler::AddFilter(filter_.get());
}

HelpKey::~HelpKey() {
  wxEvtHandler::RemoveFilter(filter_.get());
}

}  // namespace zrv
