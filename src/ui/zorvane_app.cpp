#include "ui/zorvane_app.h"

#include <wx/msgdlg.h>
#include <wx/stdpaths.h>

#include "app/run_marker.h"
#include "app/startup.h"
#include "platform/program_path.h"
#include "platform/stop_request.h"
#include "platform/toolkit_language.h"
#include "ui/german_locale.h"
#include "ui/main_frame.h"
#include "ui/resident_program.h"

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
    wxTheApp->CallAfter([] {
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

int ZorvaneApp::OnExit() {
  stop_.cancel();
  if (program_) program_->shutDown();
  program_.reset();
  return wxApp::OnExit();
}

bool ZorvaneApp::OnExceptionInMainLoop() {
  if (program_) program_->endAfterError("Hauptschleife");
  return false;  // the loop ends; OnExit shuts down
}

void ZorvaneApp::OnUnhandledException() {
  if (program_) program_->endAfterError("Programm");
}

void ZorvaneApp::requestStop() {
  stop_.request();
}

}  // namespace zrv
