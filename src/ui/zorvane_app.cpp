#include "ui/zorvane_app.h"

#include <wx/frame.h>

#include "app/context.h"

namespace zrv {

bool ZorvaneApp::OnInit() {
  auto* frame = new wxFrame(nullptr, wxID_ANY, wxString::FromUTF8(kRelease));
  frame->Show();
  return true;
}

int ZorvaneApp::OnExit() { return 0; }

}  // namespace zrv
