// The program's one exception boundary: an exception that escaped a window callback or a
// due check is written to the logbook and shown to the user in German; the caller then ends
// the program in order (run marker removed, settings backed up). The error window of the
// diagnostics replaces reportEscapedError() and nothing else.
#pragma once

#include <string>
#include <string_view>

namespace zrv {

struct Context;

// The text of the exception being handled; call it inside a catch block.
std::string currentExceptionText();

// Logbook line under `where`, then the message box "Unerwarteter Fehler".
void reportEscapedError(Context& ctx, std::string_view where, std::string_view what);

}  // namespace zrv
