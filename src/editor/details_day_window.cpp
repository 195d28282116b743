// "Details täglicher Termin": the end date and the weekdays of a daily appointment.
#include <wx/button.h>
#include <wx/checkbox.h>

#include "editor/details_rules.h"
#include "editor/details_window.h"
#include "widgets/tbmpget_ctrl.h"

namespace zrv {

DayDetailsWindow::DayDetailsWindow(wxWindow* parent, const EditorValues& values, const Date& today,
                                   DetailsOptions options, WindowServices& services)
    : DetailsWindow(parent, wxS("Details täglicher Termin"), wxSize(320, 185), values,
                    std::move(options), services),
      today_(today) {
  const DayDetails start = dayDetailsOf(values, today);
  label(17, 4, 30, wxS("Enddatum"));
  end_ = dateField(15, 36, start.end);
  label(42, 3, 32, wxS("Wochentag"));
  // Shown Monday first, stored Sunday first.
  struct Place {
    int dow;
    int row;
    int column;
    const wchar_t* name;
  };
  const Place places[] = {{2, 42, 36, L" Montag"},   {3, 52, 36, L" Dienstag"},
                          {4, 62, 36, L" Mittwoch"}, {5, 42, 80, L" Donnerstag"},
                          {6, 52, 80, L" Freitag"},  {7, 62, 80, L" Samstag"},
                          {1, 42, 125, L" Sonntag"}};
  days_.assign(7, nullptr);
  for (const Place& p : places) {
    days_[static_cast<std::size_t>(p.dow - 1)] =
        checkBox(p.row, p.column, p.name, start.weekdays[static_cast<std::size_t>(p.dow - 1)]);
  }
  buttons(80, 86, 123);
  spreadColumns({{days_[1], days_[2], days_[3]}, {days_[4], days_[5], days_[6]}, {days_[0]}});
  updateSave();
  centre();
  end_->SetFocus();
}

void DayDetailsWindow::updateSave() {
  if (!save_) return;
  DayDetails d;
  for (std::size_t i = 0; i < days_.size(); ++i)
    d.weekdays[i] = days_[i] && days_[i]->GetValue();
  save_->Enable(canSave(d) && (!end_ || !endBeforeDate(end_)));
}

bool DayDetailsWindow::store(EditorValues& values) {
  const auto end = dateOf(end_);
  if (!end) return false;
  DayDetails d;
  d.end = *end;
  for (std::size_t i = 0; i < days_.size(); ++i)
    d.weekdays[i] = days_[i]->GetValue();
  saveDetails(values, d, today_);
  return true;
}

}  // namespace zrv
