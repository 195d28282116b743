// The wx application: runs start-up, the main window's event loop and shut-down. The program's
// parts are wired in ResidentProgram; this class adds what belongs to the process: the German
// texts of the toolkit, ending the program the normal way when it is asked to from outside, and
// the exception boundary of the run.
#pragma once

#include <wx/app.h>

#include <memory>
#include <optional>
#include <string>

#include "app/escaped_error.h"
#include "ui/stop_sequence.h"

namespace zrv {

class ResidentProgram;

class ZorvaneApp : public wxApp, public ExceptionBoundary {
 public:
  ZorvaneApp();
  ~ZorvaneApp() override;
  bool OnInit() override;
  // The event loop; the run's status is 1 once an error has escaped.
  int OnRun() override;
  int OnExit() override;
  // Exceptions from window callbacks and modal windows come here through wx; they go to the
  // boundary, and the loop goes on until the program has ended in order.
  bool OnExceptionInMainLoop() override;
  void OnUnhandledException() override;

  // The boundary: the error window of the program (errorDialog). "&Ende" ends the program as on
  // a request from outside: modal windows without an action, then the main window, then the
  // shut-down, status 1; a later error is then only written to the logbook. An error inside the
  // error handling ends the process at once with status 1.
  ErrorChoice escaped(const ErrorPlace& place) override;

  // Ctrl+C, a kill or a hang-up: the open modal windows are closed without an action, then the
  // main window, so that its close handler and the shut-down run as after a click on the close
  // box (see StopSequence).
  void requestStop();

 private:
  ErrorChoice handle(const ErrorPlace& place);
  void reportWithoutProgram(const char* where, const std::string& what);

  std::unique_ptr<ResidentProgram> program_;
  StopSequence stop_;
  std::optional<ScopedExceptionBoundary> boundary_;
  bool failed_ = false;    // the user ended the program after an error
  bool handling_ = false;  // the error window is being shown
};

}  // namespace zrv
