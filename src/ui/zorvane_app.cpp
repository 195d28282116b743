#include "ui/zorvane_app.h"

#include <wx/msgdlg.h>
#include <wx/stdpaths.h>

#include <cstdio>
#include <cstdlib>

#include "app/check_ini.h"
#include "app/run_files.h"
#include "app/run_marker.h"
#include "app/startup.h"
#include "diag/crash_report.h"
#include "platform/fatal_signals.h"
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
  // wx's own texts ("Ja", "Nein" of every question) from the start, GTK's for its dialogs.
  loadToolkitTexts();
  germanToolkitMessages();
  watchStopSignals(onStopSignal);
  watchFatalSignals(writeCrashReport);

  // A second copy on the same workstation ends here, before it touches any file. (Workstations
  // sharing a program directory each keep the run's files in their own folder.)
  const std::filesystem::path program = programFile();
  auto marker = RunMarker::take(runFilesFolder(programDirectoryOf(program), workstationIniPath()));
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
    escaped(ErrorPlace{"Hauptschleife"});
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
  // "&Default" goes on with the next event; after "&Ende" the loop goes on until the stop
  // sequence has closed the main window.
  escaped(ErrorPlace{"Hauptschleife", false, true});
  return true;
}

void ZorvaneApp::OnUnhandledException() {
  escaped(ErrorPlace{"Programm"});
}

ErrorChoice ZorvaneApp::escaped(const ErrorPlace& place) {
  if (handling_) {
    // An error while the error is being handled: nothing is left to rely on.
    std::fprintf(stderr, "zorvane: Fehler in der Fehlerbehandlung: %s\n",
                 currentExceptionText().c_str());
    std::_Exit(1);
  }
  if (failed_) {
    // The program is ending already; a later error is only noted.
    if (program_) program_->noteLaterError(place.where);
    return ErrorChoice::End;
  }
  handling_ = true;
  ErrorChoice choice = ErrorChoice::End;
  try {
    choice = handle(place);
  } catch (...) {
    std::fprintf(stderr, "zorvane: Fehler in der Fehlerbehandlung: %s\n",
                 currentExceptionText().c_str());
    std::_Exit(1);
  }
  handling_ = false;
  // "&Wiederholen" needs a running event loop to come back to.
  if (choice == ErrorChoice::Retry && !IsMainLoopRunning()) choice = ErrorChoice::End;
  if (choice == ErrorChoice::End) {
    failed_ = true;
    stop_.request();
  }
  return choice;
}

ErrorChoice ZorvaneApp::handle(const ErrorPlace& place) {
  if (program_) return program_->errorDialog(place);
  reportWithoutProgram(place.where, currentExceptionText());
  return ErrorChoice::End;
}

// Before start-up has made the program (or after shut-down) there is no logbook to write to.
void ZorvaneApp::reportWithoutProgram(const char* where, const std::string& what) {
  std::fprintf(stderr, "zorvane: (%s) Laufzeitfehler: %s\n", where, what.c_str());
  wxMessageBox(wxString::FromUTF8("Im Programm ist ein Fehler aufgetreten:\n\n" + what +
                                  "\n\nZorvane wird beendet."),
               "Laufzeitfehler", wxOK | wxICON_ERROR);
}

void ZorvaneApp::requestStop() {
  stop_.request();
}

}  // namespace zrv
