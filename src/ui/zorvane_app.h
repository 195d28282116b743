// The wx application: runs start-up, the main window's event loop and shut-down.
#pragma once

#include <wx/app.h>

namespace zrv {

class ZorvaneApp : public wxApp {
 public:
  bool OnInit() override;
  int OnExit() override;
};

}  // namespace zrv
