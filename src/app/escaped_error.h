// The program's one exception boundary: an exception that escaped a window callback, a call made
// after an event, a modal window, a command or a due check is handed to the boundary of the run,
// which writes it to the logbook, shows it to the user in German and ends the program in order
// (modal windows first, then the main window, then the shut-down with run marker and settings
// backup). The error window of the diagnostics replaces reportEscapedError() and nothing else.
#pragma once

#include <string>
#include <string_view>

namespace zrv {

struct Context;

// Where the exceptions of the run end; the running program is one.
class ExceptionBoundary {
 public:
  virtual ~ExceptionBoundary() = default;
  // Called inside a catch block; `where` names the place for the logbook ("Timer",
  // "Hauptschleife").
  virtual void escaped(const char* where) = 0;
};

// Makes `boundary` the boundary of the run for the object's lifetime (the previous one after).
class ScopedExceptionBoundary {
 public:
  explicit ScopedExceptionBoundary(ExceptionBoundary& boundary);
  ~ScopedExceptionBoundary();
  ScopedExceptionBoundary(const ScopedExceptionBoundary&) = delete;
  ScopedExceptionBoundary& operator=(const ScopedExceptionBoundary&) = delete;

 private:
  ExceptionBoundary* previous_;
};

// Call it inside a catch block: hands the exception to the boundary of the run; without one the
// exception is thrown on.
void handOverEscaped(const char* where);

// The text of the exception being handled; call it inside a catch block.
std::string currentExceptionText();

// The German message about an error with the text `what`.
std::string escapedErrorMessage(std::string_view what);
inline constexpr const char* kEscapedErrorTitle = "Unerwarteter Fehler";

// Logbook line under `where`, then the message box "Unerwarteter Fehler".
void reportEscapedError(Context& ctx, std::string_view where, std::string_view what);

}  // namespace zrv
