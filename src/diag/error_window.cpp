#include "diag/error_window.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <stdexcept>

#include "diag/test_fault.h"
#include "widgets/dialog_look.h"

namespace zrv {
namespace {

constexpr int kRetry = wxID_HIGHEST + 1;
constexpr int kDefault = wxID_HIGHEST + 2;

class ErrorWindow : public wxDialog {
 public:
  ErrorWindow(wxWindow* parent, const std::string& message, const std::vector<std::string>& stack,
              bool canRetry, bool canDefault)
      : wxDialog(parent, wxID_ANY, "Laufzeitfehler", wxDefaultPosition, wxDefaultSize,
                 wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
    // "Ms Sans Serif" of height -10 shows with the character height of its 8 point size.
    SetFont(dialogFontPx("Ms Sans Serif", 11, false));
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(new wxStaticBitmap(this, wxID_ANY,
                                wxArtProvider::GetBitmap(wxART_ERROR, wxART_MESSAGE_BOX)),
             0, wxALL, 8);
    // The message in a sunken box.
    auto* text = new wxTextCtrl(this, wxID_ANY, wxString::FromUTF8(message), wxDefaultPosition,
                                wxSize(-1, unitsToPx(this, 24)),
                                wxTE_MULTILINE | wxTE_READONLY | wxTE_NO_VSCROLL | wxBORDER_SUNKEN);
    text->SetBackgroundColour(GetBackgroundColour());
    top->Add(text, 1, wxALL | wxEXPAND, 8);

    auto* labels = new wxBoxSizer(wxHORIZONTAL);
    labels->Add(new wxStaticText(this, wxID_ANY, "&Stackliste"), 1);
    labels->Add(new wxStaticText(this, wxID_ANY, "Siehe Error.log Datei"), 0);
    list_ = new wxListBox(this, wxID_ANY);
    for (const std::string& line : stack)
      list_->Append(wxString::FromUTF8(line));
    if (!stack.empty()) list_->SetSelection(0);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    wxButton* end = nullptr;
    if (canRetry)
      buttons->Add(new wxButton(this, kRetry, wxString::FromUTF8("&Wiederholen")), 0, wxALL, 4);
    end = new wxButton(this, wxID_CANCEL, "&Ende");
    buttons->Add(end, 0, wxALL, 4);
    if (canDefault) buttons->Add(new wxButton(this, kDefault, "&Default"), 0, wxALL, 4);
    if (canRetry == canDefault) end->SetDefault();
    SetEscapeId(wxID_CANCEL);

    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(top, 0, wxEXPAND);
    all->Add(labels, 0, wxLEFT | wxRIGHT | wxEXPAND, 8);
    all->Add(list_, 1, wxALL | wxEXPAND, 8);
    all->Add(buttons, 0, wxALIGN_CENTRE | wxBOTTOM, 4);
    SetSizer(all);
    SetSize(unitsToPx(this, 300), unitsToPx(this, 250));
    CentreOnScreen();
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(kRetry); }, kRetry);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(kDefault); }, kDefault);
    (canRetry == canDefault ? static_cast<wxWindow*>(end) : list_)->SetFocus();
  }

 private:
  wxListBox* list_ = nullptr;
};

}  // namespace

ErrorChoice showErrorWindow(wxWindow* parent, const std::string& message,
                            const std::vector<std::string>& stack, bool canRetry, bool canDefault) {
  if (testFaultInErrorWindow()) throw std::runtime_error("Fehler beim Aufbau des Fehlerfensters");
  ErrorWindow window(parent, message, stack, canRetry, canDefault);
  switch (window.ShowModal()) {
    case kRetry:
      return ErrorChoice::Retry;
    case kDefault:
      return ErrorChoice::Default;
    default:
      return ErrorChoice::End;
  }
}

}  // namespace zrv
