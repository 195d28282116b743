// Work queued for the window thread to run after the current event, with the exception boundary
// around it. wx runs a call made with CallAfter outside every handler that catches, so an
// exception from it would end the program unreported; every such call of the program goes
// through callAfter() instead.
#pragma once

#include <wx/event.h>

#include <utility>

#include "app/escaped_error.h"

namespace zrv {

// Runs `work` on the window thread after the current event, for `target` (a window: not after
// it has been destroyed). An exception that escapes `work` goes to the run's exception boundary.
template <class Work>
void callAfter(wxEvtHandler& target, Work work) {
  target.CallAfter([work = std::move(work)]() mutable {
    try {
      work();
    } catch (...) {
      handOverEscaped(ErrorPlace{"Hauptschleife", false, true});
    }
  });
}

}  // namespace zrv
