// What the main window's own commands need of it (the editor's and the calendar's commands have
// ports of their own: editor/editor_commands.h, calendar/calendar_commands.h). The wx main window
// implements it; tests pass the shared fake (tests/support/command_window_fake.h).
#pragma once

#include <cstdint>
#include <string>


namespace zrv {

enum class ListMove { First, Previous, Next, Last };
enum class TableFileChoice { New, Open, Delete };

class CommandWindow {
 public:
  virtual ~CommandWindow() = default;
  // Replaces the week overview by the list on its first row; nothing when the list shows.
  virtual void leaveWeekOverview() = 0;
  // The week overview on view 1.
  virtual void showWeekOverview() = 0;
  // The about box, without sound.
  virtual void showAbout() = 0;
  // The current appointment's text to the clipboard.
  virtual void copyToClipboard() = 0;
  // A new appointment in the editor with the clipboard's text.
  virtual void pasteFromClipboard() = 0;
  // Moves the list's cursor (and the table's current record) and gives the list the focus.
  virtual void moveInList(ListMove move) = 0;
  // Out of sight: into the tray, or minimised.
  virtual void hideWindow() = 0;
  // Closes the main window as its close box does; the program ends.
  virtual void closeWindow() = 0;
  // The file dialog of a table command; the chosen path, "" when cancelled.
  virtual std::string chooseTableFile(TableFileChoice choice) = 0;
};

}  // namespace zrv
