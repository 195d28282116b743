#include "reminder/missed_summary_window.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/help.h"
#include "ports/window_services.h"

namespace zrv {
namespace {

class MissedSummaryWindow : public wxDialog {
 public:
  MissedSummaryWindow(wxWindow* parent, const std::vector<MissedRow>& rows,
                      WindowServices& services)
      : wxDialog(parent, wxID_ANY, wxS("Während Sie weg waren"), wxDefaultPosition, wxDefaultSize,
                 wxDEFAULT_DIALOG_STYLE | wxSTAY_ON_TOP | wxRESIZE_BORDER),
        services_(services) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    const wxString intro = wxString::Format(
        wxS("Diese %zu Termine sind fällig geworden, während Zorvane nicht lief oder der "
            "Computer ruhte:"),
        rows.size());
    auto* text = new wxStaticText(this, wxID_ANY, intro);
    text->Wrap(FromDIP(520));
    sizer->Add(text, 0, wxALL, FromDIP(10));
    sizer->Add(list(rows), 1, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(10));
    sizer->Add(buttons(), 0, wxALIGN_RIGHT | wxALL, FromDIP(10));
    SetSizerAndFit(sizer);
    SetEscapeId(wxID_NO);
    CentreOnParent();
  }

 private:
  wxListCtrl* list(const std::vector<MissedRow>& rows) {
    auto* l = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(560, 220)),
                             wxLC_REPORT | wxLC_SINGLE_SEL);
    l->AppendColumn(wxS("Datum"), wxLIST_FORMAT_LEFT, FromDIP(90));
    l->AppendColumn(wxS("Uhrzeit"), wxLIST_FORMAT_LEFT, FromDIP(65));
    l->AppendColumn(wxS("Text"), wxLIST_FORMAT_LEFT, FromDIP(270));
    l->AppendColumn(wxS("Art"), wxLIST_FORMAT_LEFT, FromDIP(120));
    long i = 0;
    for (const MissedRow& r : rows) {
      l->InsertItem(i, wxString::FromUTF8(r.date));
      l->SetItem(i, 1, wxString::FromUTF8(r.time));
      l->SetItem(i, 2, wxString::FromUTF8(r.text));
      l->SetItem(i, 3, wxString::FromUTF8(r.kind));
      ++i;
    }
    return l;
  }

  wxSizer* buttons() {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    auto* all = new wxButton(this, wxID_YES, wxS("&Alle bestätigen"));
    all->SetToolTip(wxS("Jeden Termin wie mit \"Gelesen\" weiterschieben oder ablegen"));
    all->SetDefault();
    auto* single = new wxButton(this, wxID_NO, wxS("&Einzeln ansehen"));
    single->SetToolTip(wxS("Die Termine einzeln anzeigen"));
    auto* help = new wxButton(this, wxID_HELP, wxS("&Hilfe"));
    help->SetToolTip(wxS("Hilfe anzeigen"));
    row->Add(all, 0, wxRIGHT, FromDIP(6));
    row->Add(single, 0, wxRIGHT, FromDIP(6));
    row->Add(help);
    all->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_YES); });
    single->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_NO); });
    help->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { services_.showHelp(help_topic::kMissed); });
    all->SetFocus();
    return row;
  }

  WindowServices& services_;
};

}  // namespace

MissedChoice showMissedSummaryWindow(wxWindow* parent, const std::vector<MissedRow>& rows,
                                     WindowServices& services) {
  MissedSummaryWindow window(parent, rows, services);
  return window.ShowModal() == wxID_YES ? MissedChoice::ConfirmAll : MissedChoice::OneByOne;
}

}  // namespace zrv
