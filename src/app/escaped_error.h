// The program's one exception boundary: an exception that escaped a window callback, a call made
// after an event, a modal window, a command or a due check is handed to the boundary of the run,
// which shows the error window and writes the error report. The user ends the program there
// (in order: modal windows first, then the main window, then the shut-down with run marker and
// settings backup), or, where the place allows it, has the failed work run again or skipped.
#pragma once

#include <string>

namespace zrv {

// What the user chose in the error window.
enum class ErrorChoice { End, Retry, Default };

// Where an error was caught and what can be done there: run the work again, or skip it (its
// default result).
struct ErrorPlace {
  const char* where;  // for the logbook: "Befehl", "Timer", "Hauptschleife"
  bool canRetry = false;
  bool canDefault = false;
};

// Where the exceptions of the run end; the running program is one.
class ExceptionBoundary {
 public:
  virtual ~ExceptionBoundary() = default;
  // Called inside a catch block. Retry and Default only where `place` allows them.
  virtual ErrorChoice escaped(const ErrorPlace& place) = 0;
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
ErrorChoice handOverEscaped(const ErrorPlace& place);
inline ErrorChoice handOverEscaped(const char* where) {
  return handOverEscaped(ErrorPlace{where});
}

// Runs `work`; when an exception escapes it the boundary decides: run it again, or go on
// without it (skipped, or the program is ending).
template <class Work>
void runRetrying(const char* where, Work&& work) {
  for (;;) {
    try {
      work();
      return;
    } catch (...) {
      if (handOverEscaped(ErrorPlace{where, true, true}) != ErrorChoice::Retry) return;
    }
  }
}

// The text of the exception being handled; call it inside a catch block.
std::string currentExceptionText();

}  // namespace zrv
