// The wx application: runs start-up, the main window's event loop and shut-down. The rules are
// in app/; this class only wires the platform's clock and the wx user interface to them.
#pragma once

#include <wx/app.h>
#include <wx/timer.h>

#include <memory>

namespace zrv {

class Logbook;
class SystemClock;
class WxUserInterface;
struct Context;

class ZorvaneApp : public wxApp {
 public:
  ZorvaneApp();
  ~ZorvaneApp() override;
  bool OnInit() override;
  int OnExit() override;

 private:
  std::unique_ptr<SystemClock> clock_;
  std::unique_ptr<WxUserInterface> ui_;
  std::unique_ptr<Logbook> log_;
  std::unique_ptr<Context> ctx_;
  wxTimer stopPoll_;
};

}  // namespace zrv
