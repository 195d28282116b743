#include "app/escaped_error.h"

#include <exception>

#include "app/context.h"
#include "ports/user_interface.h"
#include "store/base/logbook.h"

namespace zrv {

std::string currentExceptionText() {
  const std::exception_ptr current = std::current_exception();
  if (!current) return "unbekannte Ursache";
  try {
    std::rethrow_exception(current);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "unbekannte Ursache";
  }
}

void reportEscapedError(Context& ctx, std::string_view where, std::string_view what) {
  ctx.log.log(where, "Unerwarteter Fehler: " + std::string(what));
  ctx.ui.message("Unerwarteter Fehler",
                 "Im Programm ist ein unerwarteter Fehler aufgetreten:\n\n" + std::string(what) +
                     "\n\nZorvane wird beendet; Ihre Termine und Einstellungen bleiben erhalten.");
}

}  // namespace zrv
