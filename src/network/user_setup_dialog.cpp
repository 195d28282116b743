#include "network/user_setup_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "network/user_names.h"
#include "network/user_registry.h"
#include "widgets/call_after.h"

namespace zrv {

UserSetupDialog::UserSetupDialog(wxWindow* parent, const EntryColours& colours)
    : wxDialog(parent, wxID_ANY, wxS("Zorvane - Benutzer-Einstellungen")) {
  SetName("SETUPUSER");
  SetFont(smallFont());
  SetForegroundColour(*wxBLACK);
  const int gap = unitsToPx(this, 4);

  auto* group = new wxStaticBoxSizer(wxVERTICAL, this, wxS("Benutzer"));
  wxWindow* box = group->GetStaticBox();
  auto* grid = new wxFlexGridSizer(2, gap, gap);
  grid->AddGrowableCol(1);
  name_ = new wxTextCtrl(box, wxID_ANY, "", wxDefaultPosition, wxSize(unitsToPx(this, 90), -1));
  name_->SetMaxLength(kUserNameWidth);
  file_ = new wxTextCtrl(box, wxID_ANY, "", wxDefaultPosition, wxSize(unitsToPx(this, 40), -1),
                         wxTE_READONLY);
  for (wxTextCtrl* field : {name_, file_}) {
    field->SetForegroundColour(colours.text);
    field->SetBackgroundColour(colours.back);
  }
  grid->Add(new wxStaticText(box, wxID_ANY, wxS("Vor- und Nachname")), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(name_, 1, wxEXPAND);
  grid->Add(new wxStaticText(box, wxID_ANY, wxS("Ihre Termindatei")), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(file_, 0);
  group->Add(grid, 1, wxEXPAND | wxALL, gap);

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  auto* save = new wxButton(this, kUserSaveId, wxS("&Speichern"));
  auto* cancel = new wxButton(this, kUserCancelId, wxS("&Abbrechen"));
  buttons->Add(save, 0, wxRIGHT, gap);
  buttons->Add(cancel);
  save->SetDefault();
  save->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    refreshFile();
    EndModal(kUserSaveId);
  });
  cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(kUserCancelId); });

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(group, 0, wxEXPAND | wxALL, gap);
  column->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, gap);
  SetSizerAndFit(column);
  CentreOnParent();

  // The first key typed replaces whatever the field shows.
  name_->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
    event.Skip();
    callAfter(*this, [this] { name_->SelectAll(); });
  });
  name_->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
    event.Skip();
    refreshFile();
  });
  name_->SetFocus();
}

void UserSetupDialog::refreshFile() {
  file_->ChangeValue(wxString::FromUTF8(chkUmlaut(name_->GetValue().utf8_string())));
}

UserSetUpAnswer UserSetupDialog::answer() const {
  UserSetUpAnswer a;
  if (GetReturnCode() == kUserSaveId) {
    a.ending = UserSetUpAnswer::Ending::kSaved;
    a.name = name_->GetValue().utf8_string();
  } else if (GetReturnCode() == kUserCancelId) {
    a.ending = UserSetUpAnswer::Ending::kCancelled;
  }
  return a;
}

}  // namespace zrv
