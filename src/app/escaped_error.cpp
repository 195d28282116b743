#include "app/escaped_error.h"

#include <exception>

#include "app/context.h"
#include "ports/user_interface.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

ExceptionBoundary* runBoundary = nullptr;  // the window thread's; set by the program

}  // namespace

ScopedExceptionBoundary::ScopedExceptionBoundary(ExceptionBoundary& boundary)
    : previous_(runBoundary) {
  runBoundary = &boundary;
}

ScopedExceptionBoundary::~ScopedExceptionBoundary() {
  runBoundary = previous_;
}

void handOverEscaped(const char* where) {
  if (!runBoundary) throw;
  runBoundary->escaped(where);
}

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

std::string escapedErrorMessage(std::string_view what) {
  return "Im Programm ist ein unerwarteter Fehler aufgetreten:\n\n" + std::string(what) +
         "\n\nZorvane wird beendet; Ihre Termine und Einstellungen bleiben erhalten.";
}

void reportEscapedError(Context& ctx, std::string_view where, std::string_view what) {
  ctx.log.log(where, "Unerwarteter Fehler: " + std::string(what));
  ctx.ui.message(kEscapedErrorTitle, escapedErrorMessage(what), Severity::Error);
}

}  // namespace zrv
