#include "update/update_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include "ports/window_services.h"
#include "widgets/bitmaps.h"
#include "widgets/call_after.h"
#include "widgets/dialog_look.h"

namespace zrv {
namespace {

const wxColour kBackground(123, 173, 222);

// Width of the display values in layout units: the longest texts ("Datei 'ZrvUpdate.exe'
// erfolgreich empfangen.", a server's address) fit.
constexpr int kValueUnits = 150;

wxString ui(const std::string& utf8) {
  return wxString::FromUTF8(utf8);
}

}  // namespace

UpdateDialog::UpdateDialog(wxWindow* parent, const std::string& release, WindowServices& services,
                           std::function<bool(UpdateView&)> start)
    : wxDialog(parent, wxID_ANY, ui(release + " Internet-Update")),
      services_(services),
      start_(std::move(start)) {
  wxIcon icon;
  icon.CopyFromBitmap(bitmapByName("UPDATE", wxSize(32, 32)));
  SetIcon(icon);
  SetFont(smallFont());
  SetBackgroundColour(kBackground);
  SetForegroundColour(*wxBLACK);
  const int gap = unitsToPx(this, 5);
  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(new wxStaticText(this, wxID_ANY,
                               ui("Es wird nach einem Update für QLS Zorvane "
                                  "gesucht ...")),
              0, wxALL, gap);
  column->Add(makeLines(gap), 0, wxLEFT | wxRIGHT, gap * 2);
  column->Add(makeButtons(gap), 0, wxALIGN_CENTER_HORIZONTAL | wxALL, gap);
  SetSizerAndFit(column);
  SetEscapeId(wxID_CANCEL);
  startButton_->SetDefault();
  startButton_->SetFocus();

  startButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onStart(); });
  // While the check runs the window stays: its work goes on with it.
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
    if (running_ && event.CanVeto()) {
      event.Veto();
      return;
    }
    event.Skip();
  });
  if (parent && parent->IsShownOnScreen()) {
    CentreOnParent();
  } else {
    CentreOnScreen();
  }
}

// The four labelled display lines, their values in bold; "Download" two lines high.
wxSizer* UpdateDialog::makeLines(int gap) {
  auto* grid = new wxFlexGridSizer(2, gap / 2, gap);
  const char* labels[] = {"Verbinden mit", "Status", "Dateistatus", "Download"};
  for (std::size_t i = 0; i < values_.size(); ++i) {
    const int lines = i == values_.size() - 1 ? 2 : 1;
    grid->Add(new wxStaticText(this, wxID_ANY, ui(labels[i])), 0, wxALIGN_TOP);
    auto* value =
        new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxST_NO_AUTORESIZE);
    value->SetFont(smallBoldFont());
    const int lineHeight = value->GetCharHeight() + 2;
    value->SetMinSize(wxSize(unitsToPx(this, kValueUnits), lineHeight * lines));
    grid->Add(value);
    values_[i] = value;
  }
  return grid;
}

wxSizer* UpdateDialog::makeButtons(int gap) {
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  startButton_ = new wxButton(this, wxID_ANY, ui("&Start"));
  endButton_ = new wxButton(this, wxID_CANCEL, ui("&Ende"));
  buttons->Add(startButton_, 0, wxRIGHT, gap);
  buttons->Add(endButton_);
  return buttons;
}

void UpdateDialog::onStart() {
  if (running_ || !startButton_->IsEnabled()) return;
  running_ = true;
  startButton_->Disable();
  endButton_->Disable();
  received_ = start_(*this);
  running_ = false;
  endButton_->Enable();
  endButton_->SetFocus();
  if (received_) EndModal(wxID_OK);
}

void UpdateDialog::show(UpdateLine line, const std::string& text) {
  wxStaticText* value = values_[static_cast<std::size_t>(line)];
  value->SetLabelText(ui(text));
  value->Refresh();
  value->Update();
}

bool UpdateDialog::ask(const std::string& title, const std::string& text, bool defaultYes) {
  return services_.ask(this, title, text, defaultYes);
}

void UpdateDialog::tell(const std::string& title, const std::string& text) {
  services_.tell(this, Severity::Problem, title, text);
}

void UpdateDialog::busy(bool on) {
  if (on) {
    wxBeginBusyCursor();
  } else {
    wxEndBusyCursor();
  }
}

bool WxUpdateWindows::downloadDialog(const std::function<bool(UpdateView&)>& start) {
  UpdateDialog dialog(mainWindow_, release_, services_, start);
  dialog.ShowModal();
  return dialog.received();
}

void WxUpdateWindows::endProgram() {
  wxWindow* window = mainWindow_;
  callAfter(*window, [window] { window->Close(); });
}

}  // namespace zrv
