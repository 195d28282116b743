#include "ui/zorvane_app.h"

#include <wx/msgdlg.h>
#include <wx/stdpaths.h>

#include <cstdio>

#include "app/run_marker.h"
#include "app/startup.h"
#include "platform/program_path.h"
#include "platform/stop_request.h"
#include "platform/toolkit_language.h"
#include "ui/main_frame.h"
#include "ui/resident_program.h"
#include "widgets/call_after.h"
#include "widgets/german_locale.h"

namespace zrv {
namespace {

std::filesystem::path programFile() {
  if (auto p = runningProgramPath()) return *p;
  return std::filesystem::path(wxStandardPaths::Get().GetExecutablePath().utf8_string());
}

// Called on the signal watcher's thread: the request is queued for the window thread, which
// is woken at once even while it sleeps until the next tick.
void onStopSignal() {
  if (wxTheApp) {
    callAfter(*wxTheApp, [] {
      if (auto* app = dynamic_cast<ZorvaneApp*>(wxTheApp)) app->requestStop();
    });
  }
}

// The main window once start-up has made it, as long as it is not being destroyed.
wxWindow* mainWindow() {
  for (wxWindow* w : wxTopLevelWindows) {
    if (dynamic_cast<MainFrame*>(w) && !w->IsBeingDeleted()) return w;
  }
  return nullptr;
}

}  // namespace

ZorvaneApp::ZorvaneApp() : stop_(mainWindow) {}
ZorvaneApp::~ZorvaneApp() = default;

bool ZorvaneApp::OnInit() {
  SetAppName("zorvane");
  SetClassName("zorvane");
  boundary_.emplace(*this);
  selectGermanTexts();
  germanToolkitMessages();
  watchStopSignals(onStopSignal);

  // A second copy in the same program directory ends here, before it touches any file.
  const std::filesystem::path program = programFile();
  auto marker = RunMarker::take(programDirectoryOf(program));
  if (marker.code() == StatusCode::kLocked) {
    wxMessageBox(wxString::FromUTF8(kAlreadyRunning), "Zorvane", wxOK | wxICON_INFORMATION);
    return false;
  }
  std::optional<RunMarker> held;
  if (marker) held.emplace(std::move(*marker));
  program_ = std::make_unique<ResidentProgram>(program, std::move(held));
  program_->start();
  return true;
}

int ZorvaneApp::OnRun() {
  int status = 0;
  try {
    status = wxApp::OnRun();
  } catch (...) {
    // It came through the event loop itself, which has ended: reported while the program is
    // still there, then the main window closes as its close box would, and OnExit shuts down.
    escaped("Hauptschleife");
    stop_.cancel();
    if (wxWindow* window = mainWindow()) window->Close(true);
  }
  return failed_ ? 1 : status;
}

int ZorvaneApp::OnExit() {
  stop_.cancel();
  if (program_) program_->shutDown();
  program_.reset();
  return wxApp::OnExit();
}

bool ZorvaneApp::OnExceptionInMainLoop() {
  escaped("Hauptschleife");
  return true;  // the loop goes on until the stop sequence has closed the main window
}

void ZorvaneApp::OnUnhandledException() {
  escaped("Programm");
}

void ZorvaneApp::escaped(const char* where) {
  const std::string what = currentExceptionText();
  const bool first = !failed_;
  failed_ = true;
  if (program_) {
    program_->reportError(where, what, first);
  } else if (first) {
    reportWithoutProgram(where, what);
  }
  if (first) stop_.request();
}

// Before start-up has made the program (or after shut-down) there is no logbook to write to.
void ZorvaneApp::reportWithoutProgram(const char* where, const std::string& what) {
  std::fprintf(stderr, "zorvane: (%s) %s: %s\n", where, kEscapedErrorTitle, what.c_str());
  wxMessageBox(wxString::FromUTF8(escapedErrorMessage(what)),
               wxString::FromUTF8(kEscapedErrorTitle), wxOK | wxICON_ERROR);
}

void ZorvaneApp::requestStop() {
  stop_.request();
}

}  // namespace zrv
