// The yardstick of the memory measurement: a wx program that shows one empty frame and nothing
// else, built with the same toolkit and flags as the program.
#include <wx/app.h>
#include <wx/frame.h>

class BareApp : public wxApp {
 public:
  bool OnInit() override {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bare wx frame", wxPoint(0, 0), wxSize(640, 480));
    frame->Show();
    return true;
  }
};

wxIMPLEMENT_APP(BareApp);
