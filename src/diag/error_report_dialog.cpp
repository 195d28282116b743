#include "diag/error_report_dialog.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "app/context.h"
#include "app/maker.h"
#include "widgets/bitmaps.h"
#include "widgets/dialog_look.h"

namespace zrv {
namespace {

constexpr int kHelp = wxID_HIGHEST + 1;

class ErrorReportDialog : public wxDialog {
 public:
  ErrorReportDialog(Context& ctx, int preselected) : wxDialog(nullptr, wxID_ANY, "Programmfehler") {
    SetBackgroundColour(*wxWHITE);
    SetForegroundColour(*wxBLACK);
    SetFont(smallFont());
    auto* head = new wxBoxSizer(wxHORIZONTAL);
    head->Add(new wxStaticBitmap(this, wxID_ANY, bitmapByName("Stop_Max", wxSize(32, 32))), 0,
              wxALL, 8);
    auto* lead =
        new wxStaticText(this, wxID_ANY,
                         wxString::FromUTF8("Es ist ein Laufzeitfehler aufgetreten. Das Programm " +
                                            ctx.CRELEASE + " wird beendet!"));
    lead->SetFont(smallBoldFont());
    lead->Wrap(unitsToPx(this, 160));
    head->Add(lead, 1, wxALL | wxALIGN_CENTRE_VERTICAL, 8);

    const SupportAccount& support = supportAccount();
    const char* labels[] = {" &Löschen und vergessen :-(", " &Drucken - an Faxdrucker ",
                            " &Email-Versand an "};
    const std::string after[] = {"", support.fax, support.address};
    auto* group = new wxBoxSizer(wxVERTICAL);
    for (int i = 0; i < 3; ++i) {
      radios_[i] = new wxRadioButton(this, wxID_ANY, wxString::FromUTF8(labels[i] + after[i]),
                                     wxDefaultPosition, wxDefaultSize, i == 0 ? wxRB_GROUP : 0);
      group->Add(radios_[i], 0, wxALL, 3);
    }
    radios_[preselected - 1]->SetValue(true);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* next = new wxButton(this, wxID_OK, "&Weiter");
    next->SetDefault();
    buttons->Add(next, 0, wxALL, 4);
    buttons->Add(new wxButton(this, kHelp, "&Hilfe"), 0, wxALL, 4);
    buttons->Add(new wxButton(this, wxID_CANCEL, "&Abbrechen"), 0, wxALL, 4);

    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(head, 0, wxEXPAND);
    all->Add(new wxStaticText(this, wxID_ANY,
                              wxString::FromUTF8("Wählen Sie nun, wie Sie mit dem Fehlerprotokoll "
                                                 "verfahren möchten !")),
             0, wxLEFT | wxRIGHT, 8);
    all->Add(group, 0, wxALL, 8);
    all->Add(buttons, 0, wxALIGN_CENTRE | wxALL, 4);
    SetSizerAndFit(all);
    CentreOnScreen();
    Bind(
        wxEVT_BUTTON, [&ctx](wxCommandEvent&) { ctx.help.showContents(); }, kHelp);
    next->SetFocus();
  }

  int choice() const {
    for (int i = 0; i < 3; ++i)
      if (radios_[i]->GetValue()) return i + 1;
    return 1;
  }

 private:
  wxRadioButton* radios_[3] = {};
};

}  // namespace

std::optional<int> WxErrorReportQuestion::choose(int preselected) {
  ErrorReportDialog dialog(ctx_, preselected);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return dialog.choice();
}

}  // namespace zrv
