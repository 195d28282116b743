// The window "Während Sie weg waren": the missed appointments (date, time, text, kind) in a list,
// with "Alle bestätigen", "Einzeln ansehen" and "Hilfe".
#pragma once

#include <vector>

#include "ports/alert_port.h"

class wxWindow;

namespace zrv {

class WindowServices;

// Shows the window modally over `parent`; its "Hilfe" asks `services` for its page.
MissedChoice showMissedSummaryWindow(wxWindow* parent, const std::vector<MissedRow>& rows,
                                     WindowServices& services);

}  // namespace zrv
