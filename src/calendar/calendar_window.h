// The month calendar: a small modal dialog with one month of day buttons, the week numbers,
// buttons for the month, the year and today, and a legend. A click on a day closes it and hands
// that day back, so it serves as viewer (main window) and as date picker (date fields).
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include <wx/dialog.h>

#include "calendar/calendar_model.h"

namespace zrv {

class CalendarCellCtrl;
struct Context;
struct ReminderEnv;

class CalendarWindow : public wxDialog {
 public:
  // Placed at the owner's top + 20 and left + 150 on the screen (centred without an owner);
  // `caption` follows a blank in the title bar.
  CalendarWindow(wxWindow* owner, const Date& preset, const Clock& clock, MonthSource source,
                 const std::string& caption);

  const CalendarModel& model() const { return model_; }

  // What the buttons do: a navigation step (then the page is shown anew), a day (cell 1..42:
  // the result, then the dialog closes), the legend.
  void navigate(CalendarStep step);
  void showDay(int k);
  void legende();
  // The keys: arrows move the day, the page keys the month, Home goes to today, Return chooses
  // the day and Escape closes without one. False for any other key.
  bool pressKey(int keyCode);
  // Tells the user, over `over`, once per calendar, that the month's appointments could not all
  // be collected: a month without marks must not pass for a free one.
  void tellProblem(wxWindow* over);

  // The controls, for tests: day cell k (1..42), the button of a step, week label of row 1..6.
  CalendarCellCtrl* dayCell(int k) const { return days_.at(static_cast<std::size_t>(k - 1)); }
  CalendarCellCtrl* stepButton(CalendarStep step) const;
  CalendarCellCtrl* legendButton() const { return legendButton_; }
  CalendarCellCtrl* monthTitle() const { return title_; }
  CalendarCellCtrl* weekLabel(int row) const {
    return weeks_.at(static_cast<std::size_t>(row - 1));
  }
  CalendarCellCtrl* todayLabel() const { return todayLine_; }

 private:
  void build();
  void buildHeader();
  void buildGrid();
  CalendarCellCtrl* cell(int row, int column, int width, int height, std::string_view colours);
  // SHOWKALEN: the page of the model into the controls.
  void showPage();
  void showFocus();
  // A move of the keyboard's day: the page anew when it reached another month.
  void afterMove(const Date& before);
  void finish(int code);

  CalendarModel model_;
  std::array<CalendarCellCtrl*, kCalendarCells> days_{};
  std::array<CalendarCellCtrl*, kCalendarRows> weeks_{};
  std::array<CalendarCellCtrl*, 5> steps_{};
  CalendarCellCtrl* legendButton_ = nullptr;
  CalendarCellCtrl* title_ = nullptr;
  CalendarCellCtrl* todayLine_ = nullptr;
};

// KALENDER: opens the calendar over `owner` on the month of `preset`, with the appointments of
// the table in use, and returns the clicked day (empty for a cell outside the month) or, when
// the dialog is closed without a click, the preset date.
Date kalender(wxWindow* owner, Context& ctx, const Date& preset);

// The calendar as viewer, for the menu entry "&Kalender anzeigen" and the bar button: the
// calendar on today, then view 1 and the list on its first row with the keyboard focus. The
// command wraps it in the pause of the due-check timer.
void showCalendarView(wxWindow* owner, ReminderEnv& env);

// The calendar as date picker of a date field: nullopt when no other day was chosen (closed
// without a click, or a cell outside the month clicked), so the field keeps its date.
std::optional<Date> pickDayInCalendar(wxWindow* owner, Context& ctx, const Date& current);

}  // namespace zrv
