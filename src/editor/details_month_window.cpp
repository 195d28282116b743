// "Details monatlicher Termin": the day of the month, the end date and the months.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/textctrl.h>

#include "editor/details_rules.h"
#include "editor/details_window.h"
#include "editor/editor_checks.h"
#include "store/base/date_time.h"
#include "widgets/call_after.h"
#include "widgets/tbmpget_ctrl.h"

namespace zrv {

MonthDetailsWindow::MonthDetailsWindow(wxWindow* parent, const EditorValues& values,
                                       const Date& today, DetailsOptions options,
                                       WindowServices& services)
    : DetailsWindow(parent, wxS("Details monatlicher Termin"), wxSize(330, 205), values,
                    std::move(options), services),
      today_(today) {
  const MonthDetails start = monthDetailsOf(values);
  label(17, 8, 26, wxS("jeden"));
  day_ = numberField(15, 36, start.day, "99");
  label(17, 72, 50, wxS("Tag des Monats"));
  label(30, 4, 30, wxS("Enddatum"));
  end_ = dateField(28, 36, start.end);
  label(42, 3, 32, wxS("Monat"));
  const int columns[] = {36, 80, 125};
  for (std::size_t i = 0; i < 12; ++i) {
    months_.push_back(checkBox(42 + 10 * static_cast<int>(i % 4), columns[i / 4],
                               wxString::FromUTF8(germanMonth(static_cast<int>(i) + 1)),
                               start.months[i]));
  }
  buttons(90, 92, 129);
  spreadColumns({{months_.begin(), months_.begin() + 4},
                 {months_.begin() + 4, months_.begin() + 8},
                 {months_.begin() + 8, months_.end()}});
  // Leaving the day moves the end date to that day of its month.
  day_->text()->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
    e.Skip();
    callAfter(*this, [this] { fitEndToDay(); });
  });
  updateSave();
  centre();
  day_->SetFocus();
}

void MonthDetailsWindow::fitEndToDay() {
  const auto end = typedDate(end_->GetValue().utf8_string());
  const int day = numberOf(day_);
  if (!end || day < 1) return;
  const Date fitted = endForDay(*end, day);
  if (fitted != *end) end_->SetValue(wxString::FromUTF8(fitted.toDisplay()));
}

void MonthDetailsWindow::updateSave() {
  if (!save_ || !end_) return;
  MonthDetails d;
  d.day = numberOf(day_);
  d.end = typedDate(end_->GetValue().utf8_string()).value_or(Date());
  save_->Enable(canSave(d) && !endBeforeDate(end_));
}

bool MonthDetailsWindow::store(EditorValues& values) {
  fitEndToDay();
  const auto end = dateOf(end_);
  if (!end) return false;
  MonthDetails d;
  d.day = numberOf(day_);
  d.end = *end;
  for (std::size_t i = 0; i < months_.size(); ++i)
    d.months[i] = months_[i]->GetValue();
  saveDetails(values, d, today_);
  return true;
}

}  // namespace zrv
