// The window "Während Sie weg waren": the missed appointments (date, time, text, kind) in a list,
// with "Alle bestätigen", "Einzeln ansehen" and "Hilfe".
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ports/alert_port.h"

class wxWindow;

namespace zrv {

// Shows the window modally over `parent`; `help` opens the help page of the window.
MissedChoice showMissedSummaryWindow(wxWindow* parent, const std::vector<MissedRow>& rows,
                                     const std::function<void()>& help);

}  // namespace zrv
