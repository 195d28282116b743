#include "ui/wx_user_interface.h"

#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>
#include <wx/utils.h>

#include "ui/main_status_bar.h"
#include "widgets/modal_windows.h"
#include "widgets/plain_window_services.h"

namespace zrv {

// A message or question belongs to the window it was raised from: the modal window opened last
// (an alert, the editor), else the main window.
void WxUserInterface::message(const std::string& title, const std::string& text,
                              Severity severity) {
  wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8(title), wxOK | severityIcon(severity),
               dialogOwner(nullptr, frame_));
}

bool WxUserInterface::ask(const std::string& title, const std::string& text, bool defaultYes) {
  wxMessageDialog dlg(dialogOwner(nullptr, frame_), wxString::FromUTF8(text),
                      wxString::FromUTF8(title),
                      wxYES_NO | wxICON_QUESTION | (defaultYes ? wxYES_DEFAULT : wxNO_DEFAULT));
  return dlg.ShowModal() == wxID_YES;
}

namespace {

MainStatusBar* mainBar(wxFrame* frame) {
  return frame ? dynamic_cast<MainStatusBar*>(frame->GetStatusBar()) : nullptr;
}

}  // namespace

void WxUserInterface::statusText(const std::string& text) {
  if (MainStatusBar* bar = mainBar(frame_)) {
    bar->setText(text);
  } else if (frame_ && frame_->GetStatusBar()) {
    frame_->SetStatusText(wxString::FromUTF8(text), 0);
  }
}

void WxUserInterface::statusPane(StatusPane pane, const std::string& text) {
  if (MainStatusBar* bar = mainBar(frame_)) {
    bar->setPane(pane, text);
    return;
  }
  wxStatusBar* bar = frame_ ? frame_->GetStatusBar() : nullptr;
  const int field = 1 + static_cast<int>(pane);
  if (bar && field < bar->GetFieldsCount()) bar->SetStatusText(wxString::FromUTF8(text), field);
}

void WxUserInterface::statusPaneColour(StatusPane pane, Rgb background) {
  MainStatusBar* bar = mainBar(frame_);
  if (bar && pane == StatusPane::TimerLamp) bar->setLampColour(background);
}

void WxUserInterface::busy(bool on) {
  if (on) {
    ++busyDepth_;
    wxBeginBusyCursor();
  } else if (busyDepth_ > 0) {
    --busyDepth_;
    wxEndBusyCursor();
  }
}

}  // namespace zrv
