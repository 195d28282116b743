#include "app/escaped_error.h"

#include <exception>

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

ErrorChoice handOverEscaped(const ErrorPlace& place) {
  if (!runBoundary) throw;
  return runBoundary->escaped(place);
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

}  // namespace zrv
