#include "print/period_dialog.h"

#include <wx/button.h>
#include <wx/stattext.h>

#include "ports/user_interface.h"
#include "print/period_check.h"
#include "widgets/tbmpget_ctrl.h"

namespace zrv {
namespace {

constexpr int kLabelColumn = 10;  // layout units
constexpr int kFieldColumn = 30;
constexpr int kFieldWidth = 48;

TVBoxStyle periodBoxStyle() {
  TVBoxStyle look;
  look.caption = wxS("Zeitraum");
  look.captionColour = *wxBLACK;
  look.background = {*wxWHITE, wxColour(200, 200, 200)};
  return look;
}

}  // namespace

PeriodDialog::PeriodDialog(wxWindow* parent, const PrintPeriod& start, UserInterface& ui,
                           const EntryColours& colours)
    : BoxDialog(parent, wxS("Zeitraum drucken"), wxSize(224, 108), 0, 0, periodBoxStyle()),
      ui_(ui) {
  SetName("SET_PRINT");
  const auto label = [this](int row, const wxString& text) {
    const wxRect r = place(row, kLabelColumn, 18, 8);
    new wxStaticText(box(), wxID_ANY, text, r.GetPosition(), r.GetSize());
  };
  label(13, wxS("vom"));
  from_ = dateField(kPeriodFromId, 10, start.from, colours);
  label(26, wxS("bis"));
  to_ = dateField(kPeriodToId, 23, start.to, colours);

  wxRect r = place(39, kLabelColumn, 42, 11);
  ok_ = new wxButton(box(), kPeriodOkId, wxS("&OK"), r.GetPosition(), r.GetSize());
  ok_->SetDefault();
  r = place(39, 60, 42, 11);
  auto* cancel =
      new wxButton(box(), kPeriodCancelId, wxS("&Abbrechen"), r.GetPosition(), r.GetSize());
  ok_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { confirm(); });
  cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { finish(wxID_CANCEL); });
  centre();
  from_->SetFocus();
}

TBmpGet* PeriodDialog::dateField(int id, int row, const Date& value, const EntryColours& colours) {
  const wxRect r = place(row, kFieldColumn, kFieldWidth, 10);
  auto* f =
      new TBmpGet(box(), id, wxString::FromUTF8(value.toDisplay()), r.GetPosition(), r.GetSize());
  f->setPattern("99.99.9999");
  f->setColours(colours.text, colours.back);
  return f;
}

bool PeriodDialog::confirm() {
  const PeriodCheck check =
      checkPeriod(from_->GetValue().utf8_string(), to_->GetValue().utf8_string());
  if (!check.period) {
    ui_.message("Problem", check.message, Severity::Problem);
    (check.field == PeriodField::From ? from_ : to_)->SetFocus();
    return false;
  }
  result_ = check.period;
  finish(wxID_OK);
  return true;
}

std::optional<PrintPeriod> WxPrintPeriod::askPeriod(const Date& from, const Date& to) {
  PeriodDialog dialog(parent_, PrintPeriod{from, to}, ui_, colours_);
  dialog.ShowModal();
  return dialog.result();
}

}  // namespace zrv
