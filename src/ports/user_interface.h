// How the core reaches the user: message boxes, questions, the wait cursor and the status
// bar. The program passes the wx implementation; tests pass a scripted one. Texts are UTF-8.
#pragma once

#include <string>

namespace zrv {

// The own panes of the main window's status bar.
enum class StatusPane { Week, File, View, TimerLamp };

// What kind of message a box brings: its icon, and for a question its buttons.
enum class Severity { Information, Question, Problem, Error };

struct Rgb {
  unsigned char r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
inline constexpr Rgb kLampRunning{0, 255, 0};  // the due-check timer runs
inline constexpr Rgb kLampPaused{255, 0, 0};   // the due-check timer is paused

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // A message box with an OK button in the style of `severity`.
  virtual void message(const std::string& title, const std::string& text,
                       Severity severity = Severity::Information) = 0;
  // A yes/no question; `defaultYes` preselects the answer. True for yes.
  virtual bool ask(const std::string& title, const std::string& text, bool defaultYes) = 0;
  // The status bar's own text ("" restores the idle text).
  virtual void statusText(const std::string& text) = 0;
  virtual void statusPane(StatusPane pane, const std::string& text) = 0;
  // The background of a pane (the timer lamp), repainted at once. Not every front end has
  // coloured panes: the default does nothing.
  virtual void statusPaneColour(StatusPane /*pane*/, Rgb /*background*/) {}
  // The wait cursor on (true) or the normal cursor (false).
  virtual void busy(bool on) = 0;
};

// A user interface that shows nothing and answers every question with its default:
// for start-up steps that run before a window exists, and for unit tests.
class SilentUserInterface : public UserInterface {
 public:
  void message(const std::string&, const std::string&, Severity) override {}
  bool ask(const std::string&, const std::string&, bool defaultYes) override { return defaultYes; }
  void statusText(const std::string&) override {}
  void statusPane(StatusPane, const std::string&) override {}
  void busy(bool) override {}
};

}  // namespace zrv
