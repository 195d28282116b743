// The wx application: runs start-up, the main window's event loop and shut-down. The program's
// parts are wired in ResidentProgram; this class adds what belongs to the process: the German
// texts of the toolkit and ending the program the normal way when it is asked to from outside.
#pragma once

#include <wx/app.h>

#include <memory>

#include "ui/stop_sequence.h"

namespace zrv {

class ResidentProgram;

class ZorvaneApp : public wxApp {
 public:
  ZorvaneApp();
  ~ZorvaneApp() override;
  bool OnInit() override;
  int OnExit() override;
  // The exception boundary of window callbacks: reported, then the program ends in order.
  bool OnExceptionInMainLoop() override;
  void OnUnhandledException() override;

  // Ctrl+C, a kill or a hang-up: the open modal windows are closed without an action, then the
  // main window, so that its close handler and the shut-down run as after a click on the close
  // box (see StopSequence).
  void requestStop();

 private:
  std::unique_ptr<ResidentProgram> program_;
  StopSequence stop_;
};

}  // namespace zrv
