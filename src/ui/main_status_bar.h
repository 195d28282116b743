// The main window's message bar: its own text (an idle line when nothing else is said), the
// date and clock panes, and the program's four panes: calendar week, appointment file, view and
// the lamp of the due-check timer (green while it runs, red while it is paused).
#pragma once

#include <wx/statusbr.h>
#include <wx/timer.h>

#include <string>

#include "ports/user_interface.h"

namespace zrv {

class Clock;

inline constexpr const char* kIdleStatusText = "Zorvane \u2013 Ihre Termine im Blick";

class MainStatusBar : public wxStatusBar {
 public:
  // `clock` gives the date and time panes and must outlive the bar.
  MainStatusBar(wxWindow* parent, const Clock& clock);

  // The bar's own text; "" shows the idle line.
  void setText(const std::string& text);
  void setPane(StatusPane pane, const std::string& text);
  void setLampColour(Rgb colour);

  // Texts that clicking the file and view panes show again.
  void setFileName(const std::string& name) { fileName_ = name; }
  void setViewName(const std::string& name) { viewName_ = name; }

  // For tests: the pane's text and the lamp's colour.
  wxString paneText(StatusPane pane) const;
  wxColour lampColour() const;
  static int fieldOf(StatusPane pane);

 protected:
  // A field is repainted only once the bar has its size; until then the first paint shows it.
  void DoUpdateStatusText(int field) override;

 private:
  void showDateAndTime();
  void scheduleClock();
  void placeLamp();
  void onClick(wxMouseEvent& event);

  const Clock& clock_;
  wxWindow* lamp_ = nullptr;
  wxTimer clockTimer_;
  std::string fileName_;
  std::string viewName_;
};

}  // namespace zrv
