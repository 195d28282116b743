// What the reminder engine needs of the resident main window. The wx main window implements
// it; tests pass a scripted one. Texts are UTF-8.
#pragma once

#include <string>

namespace zrv {

class MainWindowPort {
 public:
  virtual ~MainWindowPort() = default;
  // Repaints the window before an alert is raised over it.
  virtual void refresh() = 0;
  // Shows the window in its normal size (also when minimised or hidden in the tray) and brings
  // it to the top of the window stack.
  virtual void showOnTop() = 0;
  // Moves the appointment list to its first row, redraws it and gives it the keyboard focus.
  virtual void listToFirstRow() = 0;
  // The tooltip of the tray icon.
  virtual void setTrayTooltip(const std::string& text) = 0;
  // Lets the window system run pending messages at the end of a due check; the program may also
  // hand memory it no longer needs back to the system here.
  virtual void processPendingMessages() = 0;
};

}  // namespace zrv
