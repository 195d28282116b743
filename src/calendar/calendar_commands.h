// The calendar's commands: "&Kalender anzeigen" of the menu and the bar's calendar button. They
// reach the month calendar through CalendarViewer, which the main window implements.
#pragma once

namespace zrv {

class Commands;

class CalendarViewer {
 public:
  virtual ~CalendarViewer() = default;
  // The month calendar as viewer; afterwards the list shows view 1 and has the focus.
  virtual void showCalendar() = 0;
};

// Gives the calendar's commands their actions; `viewer` must outlive `commands`.
void registerCalendarCommands(Commands& commands, CalendarViewer& viewer);

}  // namespace zrv
