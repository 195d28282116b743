// The error window "Laufzeitfehler": the error's message, the calls that led to it, and the
// buttons the error allows ("&Wiederholen", "&Ende", "&Default"). Modal; closing it is "&Ende".
#pragma once

#include <string>
#include <vector>

#include "app/escaped_error.h"

class wxWindow;

namespace zrv {

ErrorChoice showErrorWindow(wxWindow* parent, const std::string& message,
                            const std::vector<std::string>& stack, bool canRetry, bool canDefault);

}  // namespace zrv
