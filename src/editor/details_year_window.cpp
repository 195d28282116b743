// "Details jährlicher Termin": the end date of a yearly appointment.
#include <wx/button.h>

#include "editor/details_rules.h"
#include "editor/details_window.h"
#include "editor/editor_checks.h"
#include "widgets/tbmpget_ctrl.h"

namespace zrv {

YearDetailsWindow::YearDetailsWindow(wxWindow* parent, const EditorValues& values,
                                     DetailsOptions options, WindowServices& services)
    : DetailsWindow(parent, wxS("Details jährlicher Termin"), wxSize(280, 90), values,
                    std::move(options), services) {
  label(15, 4, 30, wxS("Enddatum"));
  end_ = dateField(13, 36, yearDetailsOf(values).end);
  buttons(34, 67, 104);
  updateSave();
  centre();
  end_->SetFocus();
}

void YearDetailsWindow::updateSave() {
  if (!save_ || !end_) return;
  save_->Enable(canSave(YearDetails{typedDate(end_->GetValue().utf8_string()).value_or(Date())}) &&
                !endBeforeDate(end_));
}

bool YearDetailsWindow::store(EditorValues& values) {
  const auto end = dateOf(end_);
  if (!end) return false;
  saveDetails(values, YearDetails{*end});
  return true;
}

}  // namespace zrv
