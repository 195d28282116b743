#include "mail/mail_setup_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "widgets/call_after.h"
#include "widgets/tbmpget_ctrl.h"

namespace zrv {
namespace {

wxString ui(const std::string& utf8) {
  return wxString::FromUTF8(utf8);
}

// Fields and buttons in the sizes of the program's other dialogs: a field ten layout units high,
// a button 35 by 10 (the toolkit's own would be twice as high).
TBmpGet* entryField(wxWindow* parent, const std::string& value, const EntryColours& colours) {
  auto* field = new TBmpGet(parent, wxID_ANY, ui(value), wxDefaultPosition,
                            wxSize(unitsToPx(parent, 120), unitsToPx(parent, 10)));
  field->SetMinSize(field->GetSize());
  field->text()->SetMaxLength(100);
  field->setColours(colours.text, colours.back);
  return field;
}

wxButton* button(wxWindow* parent, wxWindowID id, const wxString& caption) {
  const wxSize size(unitsToPx(parent, 35), unitsToPx(parent, 10));
  auto* b = new wxButton(parent, id, caption, wxDefaultPosition, size);
  b->SetMinSize(size);
  return b;
}

}  // namespace

MailSetupDialog::MailSetupDialog(wxWindow* parent, const std::string& header,
                                 const SenderEntry& entry, const EntryColours& colours)
    : wxDialog(parent, wxID_ANY, wxS("EMail-Einstellungen")) {
  SetFont(smallFont());
  SetForegroundColour(*wxBLACK);
  const int gap = unitsToPx(this, 4);
  auto* column = new wxBoxSizer(wxVERTICAL);
  auto* headerText = new wxStaticText(this, wxID_ANY, ui(header));
  headerText->Wrap(unitsToPx(this, 150));
  column->Add(headerText, 0, wxALL, gap);
  column->Add(new wxStaticText(this, wxID_ANY, wxS("Geben Sie nun Ihre Email-Daten ein")), 0,
              wxLEFT | wxRIGHT | wxBOTTOM, gap);

  auto* grid = new wxFlexGridSizer(2, gap, gap);
  grid->AddGrowableCol(1);
  name_ = entryField(this, entry.name, colours);
  address_ = entryField(this, entry.address, colours);
  grid->Add(new wxStaticText(this, wxID_ANY, wxS("Name")), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(name_, 1, wxEXPAND);
  grid->Add(new wxStaticText(this, wxID_ANY, wxS("Email")), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(address_, 1, wxEXPAND);
  column->Add(grid, 0, wxEXPAND | wxLEFT | wxRIGHT, gap);

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  auto* save = button(this, wxID_OK, wxS("&Speichern"));
  buttons->Add(save, 0, wxRIGHT, gap);
  buttons->Add(button(this, wxID_CANCEL, wxS("&Beenden")));
  column->Add(buttons, 0, wxALIGN_RIGHT | wxALL, gap);
  SetEscapeId(wxID_CANCEL);
  save->SetDefault();
  SetSizerAndFit(column);
  SetMinSize(wxSize(unitsToPx(this, 160), -1));
  Fit();
  CentreOnParent();
  // The focus starts in the address field, also after the dialog's own start-up.
  address_->SetFocus();
  Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent& event) {
    event.Skip();
    callAfter(*this, [this] { address_->SetFocus(); });
  });
}

SenderEntry MailSetupDialog::entry() const {
  return {name_->GetValue().utf8_string(), address_->GetValue().utf8_string()};
}

wxTextCtrl* MailSetupDialog::nameField() const {
  return name_->text();
}

wxTextCtrl* MailSetupDialog::addressField() const {
  return address_->text();
}

std::optional<SenderEntry> WxSenderDialog::ask(const std::string& header,
                                               const SenderEntry& entry) {
  MailSetupDialog dialog(parent_, header, entry, colours_);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return dialog.entry();
}

}  // namespace zrv
