// The appointment list: a grid over the rows of the current view of DTER (kind bitmap, flag,
// weekday, date, time and text), one row per appointment in trigger order. Moving the cursor
// makes its appointment DTER's current record, on which the list's actions work.
#pragma once

#include <wx/grid.h>

#include <cstdint>
#include <functional>

namespace zrv {

class AppointmentTable;
class ViewRows;

// What the list hands over to the main window.
struct ListEvents {
  // Double click ("DlgTab") or Enter ("DlgBtn") on an appointment: edit it.
  std::function<void(const char* tag)> edit;
  // A key pressed in the list (Insert and Delete are acted on).
  std::function<void(int keyCode)> key;
  // Right click on row, column (the row is current by then).
  std::function<void(int row, int column)> rightClick;
};

inline constexpr int kListColumns = 6;

class AppointmentGrid : public wxGrid {
 public:
  // `rows` and `table` (null: no table open, the list stays empty) must outlive the grid.
  AppointmentGrid(wxWindow* parent, ViewRows& rows, AppointmentTable* table, ListEvents events);

  // Takes the rows of the view anew (after any change of the table or the view) and puts the
  // cursor on the row of DTER's current record, or on the first row when the view does not
  // hold it.
  void reload();
  // Moves the cursor to `row`, shows it and makes its appointment DTER's current record.
  void goToRow(int row);
  // The row under the cursor; -1 when the list is empty.
  int currentRow() const;
  // Gives the text column the width the others leave.
  void fitTextColumn();
  // Takes every row of the view (rows are taken a stretch at a time, as they are scrolled to).
  void takeAllRows();

 private:
  // A row near the end of those taken is shown: the next stretch is taken soon after.
  void nearEnd();
  void takeMore(bool all);
  void resize(int before);
  void onSelectCell(wxGridEvent& event);
  void onKeyDown(wxKeyEvent& event);
  void onDoubleClick(wxGridEvent& event);
  void onRightClick(wxGridEvent& event);

  ViewRows& rows_;
  AppointmentTable* table_;
  ListEvents events_;
  bool morePending_ = false;
};

}  // namespace zrv
