#include "network/user_list_dialog.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "app/help.h"
#include "ports/window_services.h"
#include "widgets/bitmaps.h"
#include "widgets/call_after.h"
#include "widgets/dialog_look.h"
#include "widgets/modal_windows.h"

namespace zrv {

UserListDialog::UserListDialog(wxWindow* parent, const std::vector<std::string>& names,
                               WindowServices& services)
    : wxDialog(parent, wxID_ANY, wxS("Benutzerliste")) {
  SetName("USERLIST");
  SetFont(smallFont());
  SetForegroundColour(*wxBLACK);
  const int gap = unitsToPx(this, 4);

  auto* top = new wxBoxSizer(wxHORIZONTAL);
  top->Add(new wxStaticBitmap(this, wxID_ANY, bitmapByName("Userlist")), 0, wxRIGHT, gap);
  auto* request = new wxStaticText(
      this, wxID_ANY,
      wxS("Wählen Sie den Benutzer aus, dessen Termindatei Sie bearbeiten möchten !"));
  request->Wrap(unitsToPx(this, 110));
  top->Add(request, 1, wxALIGN_CENTER_VERTICAL);

  list_ = new wxListCtrl(this, wxID_ANY, wxDefaultPosition,
                         wxSize(unitsToPx(this, 140), unitsToPx(this, 70)),
                         wxLC_REPORT | wxLC_SINGLE_SEL);
  list_->AppendColumn(wxS("Benutzername"), wxLIST_FORMAT_LEFT, unitsToPx(this, 130));
  for (std::size_t i = 0; i < names.size(); ++i)
    list_->InsertItem(static_cast<long>(i), wxString::FromUTF8(names[i]));
  if (!names.empty()) {
    list_->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                        wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
  }
  list_->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { takeSelected(); });

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  auto* next = new wxButton(this, kUserListNextId, wxS("&Weiter"));
  auto* help = new wxButton(this, kUserListHelpId, wxS("&Hilfe"));
  auto* cancel = new wxButton(this, wxID_CANCEL, wxS("&Abbrechen"));
  for (wxButton* b : {next, help})
    buttons->Add(b, 0, wxRIGHT, gap);
  buttons->Add(cancel);
  next->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { takeSelected(); });
  help->Bind(wxEVT_BUTTON, [&services](wxCommandEvent&) { services.showHelp(help_topic::kUsers); });
  SetEscapeId(wxID_CANCEL);

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(top, 0, wxEXPAND | wxALL, gap);
  column->Add(list_, 1, wxEXPAND | wxLEFT | wxRIGHT, gap);
  column->Add(buttons, 0, wxALIGN_RIGHT | wxALL, gap);
  SetSizerAndFit(column);
  CentreOnParent();
  // The list has the focus, also after the dialog's own start-up.
  list_->SetFocus();
  Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent& event) {
    event.Skip();
    callAfter(*this, [this] { list_->SetFocus(); });
  });
}

void UserListDialog::takeSelected() {
  const long item = list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
  if (item < 0) return;
  chosen_ = static_cast<std::size_t>(item);
  endDialog(*this, wxID_OK);
}

}  // namespace zrv
