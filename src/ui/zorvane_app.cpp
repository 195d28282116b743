#include "ui/zorvane_app.h"

#include <wx/stdpaths.h>

#include "app/check_dbf.h"
#include "app/context.h"
#include "app/exit_pack.h"
#include "app/first_start.h"
#include "app/startup.h"
#include "platform/program_path.h"
#include "platform/stop_request.h"
#include "platform/system_clock.h"
#include "store/logbook.h"
#include "ui/german_locale.h"
#include "ui/plain_main_frame.h"
#include "ui/wx_user_interface.h"

namespace zrv {
namespace {

std::filesystem::path programFile() {
  if (auto p = runningProgramPath()) return *p;
  return std::filesystem::path(wxStandardPaths::Get().GetExecutablePath().utf8_string());
}

// How often a request from outside to end the program is looked for.
constexpr int kStopPollMs = 250;

}  // namespace

ZorvaneApp::ZorvaneApp() = default;
ZorvaneApp::~ZorvaneApp() = default;

bool ZorvaneApp::OnInit() {
  SetAppName("zorvane");
  SetClassName("zorvane");
  selectGermanTexts();

  const std::filesystem::path exe = programFile();
  const std::filesystem::path dir = programDirectoryOf(exe);
  clock_ = std::make_unique<SystemClock>();
  ui_ = std::make_unique<WxUserInterface>();
  log_ = std::make_unique<Logbook>(logbookFile(dir), kRelease, *clock_);
  ctx_ = std::make_unique<Context>(dir, *clock_, *log_, *ui_);
  ctx_->CS_EXEPATH = exe;

  StartupHooks hooks;
  hooks.buildDbase = [](Context& ctx, const std::string& name) { buildDbase(ctx, name); };
  const WindowRect rect = startUp(*ctx_, hooks);
  chooseActivation(*ctx_);
  auto* frame = new PlainMainFrame(*ctx_, rect);
  ui_->setMainFrame(frame);
  SetTopWindow(frame);
  // The user set-up of network mode comes with the user registry.
  openTableAtStart(*ctx_, {});
  if (ctx_->run.LS_WNDHIDDEN) frame->Iconize(true);
  frame->Show();

  // A request to end the program from outside (Ctrl+C, kill) closes the main window, so that
  // the close handler and the shut-down run as after a click on the close box.
  watchStopSignals();
  stopPoll_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
    if (!stopRequested()) return;
    stopPoll_.Stop();
    if (GetTopWindow()) GetTopWindow()->Close(true);
  });
  stopPoll_.Start(kStopPollMs);
  return true;
}

int ZorvaneApp::OnExit() {
  stopPoll_.Stop();
  if (ctx_) {
    ui_->setMainFrame(nullptr);
    ShutdownHooks hooks;
    hooks.closeTables = packTablesAtExit;
    shutDown(*ctx_, hooks);
  }
  return wxApp::OnExit();
}

}  // namespace zrv
