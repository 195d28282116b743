// The calendar's legend: a small bordered pop-up that explains the day bitmaps, closed by its
// own close button (or Escape).
#pragma once

#include <wx/dialog.h>

namespace zrv {

class CalendarCellCtrl;

class LegendWindow : public wxDialog {
 public:
  // At the calendar's top + 70 and left + 70 on the screen.
  explicit LegendWindow(wxWindow* calendar);
  CalendarCellCtrl* closeButton() const { return close_; }

 private:
  void finish();
  CalendarCellCtrl* close_ = nullptr;
};

}  // namespace zrv
