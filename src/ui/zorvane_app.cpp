#include "ui/zorvane_app.h"

#include <wx/dialog.h>
#include <wx/stdpaths.h>

#include <csignal>

#include "platform/program_path.h"
#include "ui/due_timer.h"
#include "ui/german_locale.h"
#include "ui/resident_program.h"

namespace zrv {
namespace {

std::filesystem::path programFile() {
  if (auto p = runningProgramPath()) return *p;
  return std::filesystem::path(wxStandardPaths::Get().GetExecutablePath().utf8_string());
}

// How often a stop request looks again whether the modal windows have closed.
constexpr int kStopRetryMs = 100;

// Runs on the window thread (wx delivers the signal through its event loop).
void onStopSignal(int) {
  if (auto* app = dynamic_cast<ZorvaneApp*>(wxTheApp)) app->requestStop();
}

}  // namespace

ZorvaneApp::ZorvaneApp() = default;
ZorvaneApp::~ZorvaneApp() = default;

bool ZorvaneApp::OnInit() {
  SetAppName("zorvane");
  SetClassName("zorvane");
  selectGermanTexts();
  for (int sig : {SIGINT, SIGTERM, SIGHUP})
    SetSignalHandler(sig, onStopSignal);
  stopTimer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { continueStop(); });

  program_ = std::make_unique<ResidentProgram>(programFile());
  program_->start();
  return true;
}

int ZorvaneApp::OnExit() {
  stopTimer_.Stop();
  if (program_) program_->shutDown();
  program_.reset();
  return wxApp::OnExit();
}

void ZorvaneApp::requestStop() {
  if (!stopTimer_.IsRunning()) stopTimer_.Start(kStopRetryMs);
  continueStop();
}

void ZorvaneApp::continueStop() {
  if (openModalWindows() > 0) {
    for (wxWindow* w : wxTopLevelWindows) {
      if (auto* d = dynamic_cast<wxDialog*>(w); d && d->IsModal()) d->EndModal(wxID_CANCEL);
    }
    return;  // the next round closes the main window once the modal loops have returned
  }
  stopTimer_.Stop();
  if (wxWindow* top = GetTopWindow()) top->Close(true);
}

}  // namespace zrv
