#include "ui/wx_wait.h"

#include <wx/app.h>
#include <wx/utils.h>

#include <chrono>
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

bool waitRunning() {
  return runningWaits > 0;
}

}  // namespace zrv
