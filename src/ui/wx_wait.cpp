#include "ui/wx_wait.h"

#include <wx/app.h>
#include <wx/apptrait.h>
#include <wx/evtloop.h>
#include <wx/utils.h>

#include <chrono>
#include <memory>
#include <thread>

namespace zrv {
namespace {

int runningWaits = 0;

class WaitMark {
 public:
  WaitMark() { ++runningWaits; }
  ~WaitMark() { --runningWaits; }
  WaitMark(const WaitMark&) = delete;
  WaitMark& operator=(const WaitMark&) = delete;
};

}  // namespace

void WxWait::waitOneSecond() {
  const WaitMark mark;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  while (std::chrono::steady_clock::now() < end) {
    if (wxTheApp) wxTheApp->Yield(true);
    if (wxGetKeyState(WXK_ESCAPE) || wxGetKeyState(WXK_RETURN) || wxGetKeyState(WXK_SPACE)) {
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

void WxWait::whileWaiting() {
  if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
    loop->YieldFor(wxEVT_CATEGORY_UI);
    return;
  }
  // Outside any event loop (a test, or before the main loop runs) a loop of its own does it.
  if (!wxTheApp || !wxTheApp->GetTraits()) return;
  std::unique_ptr<wxEventLoopBase> own(wxTheApp->GetTraits()->CreateEventLoop());
  if (own) own->YieldFor(wxEVT_CATEGORY_UI);
}

bool waitRunning() {
  return runningWaits > 0;
}

}  // namespace zrv
