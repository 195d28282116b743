// "Details wöchentlicher Termin": every n-th week until the end date.
#include <wx/button.h>

#include "editor/details_rules.h"
#include "editor/details_window.h"
#include "editor/editor_checks.h"
#include "widgets/tbmpget_ctrl.h"

namespace zrv {

WeekDetailsWindow::WeekDetailsWindow(wxWindow* parent, const EditorValues& values,
                                     DetailsOptions options, WindowServices& services)
    : DetailsWindow(parent, wxS("Details wöchentlicher Termin"), wxSize(280, 145), values,
                    std::move(options), services) {
  const WeekDetails start = weekDetailsOf(values);
  label(17, 8, 26, wxS("alle"));
  interval_ = numberField(15, 36, start.interval, "99");
  label(17, 72, 30, wxS("Wochen"));
  label(30, 4, 30, wxS("Enddatum"));
  end_ = dateField(28, 36, start.end);
  buttons(60, 66, 103);
  updateSave();
  centre();
  interval_->SetFocus();
}

void WeekDetailsWindow::updateSave() {
  if (!save_ || !end_) return;
  save_->Enable(canSave(WeekDetails{numberOf(interval_),
                                    typedDate(end_->GetValue().utf8_string()).value_or(Date())}) &&
                !endBeforeDate(end_));
}

bool WeekDetailsWindow::store(EditorValues& values) {
  const auto end = dateOf(end_);
  if (!end) return false;
  saveDetails(values, WeekDetails{numberOf(interval_), *end});
  return true;
}

}  // namespace zrv
