// The installed program for end-to-end tests: a program directory made by `cmake --install`,
// the program started on a display of its own (Xvfb with openbox), and what the tests do to its
// windows through the window manager and xdotool.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/appointments/appointment_record.h"
#include "support/process.h"
#include "support/test_dir.h"
#include "support/virtual_display.h"
#include "support/window_watch.h"

namespace zrv {
class Clock;
}

namespace zrv::test {

// The title of the main window.
inline const std::string kTitle = "QLS Zorvane v2.00.65";

// Keeps `text` as test-artifacts/<name>.
void keepArtifact(const std::string& name, const std::string& text);

// `cmake --install` of the build (or of one component) into `dir`.
RunResult installInto(const std::filesystem::path& dir, const std::string& component = "");
// Makes the appointment table `base` (path without extension) holding `records` in that order.
void writeTable(const std::filesystem::path& base, const std::vector<Appointment>& records,
                const Clock& clock);
// Makes the appointment table `base` holding `a` alone.
void writeTable(const std::filesystem::path& base, const Appointment& a, const Clock& clock);
// `a` with its trigger set: the appointment's time less its lead time.
Appointment withTrigger(Appointment a, const Clock& clock);

// Whether the window manager lists a window whose title contains `title`.
bool windowListed(const EnvChanges& env, const std::string& title);
// Gives `window` the keyboard and waits until the window manager reports it active: keys
// typed before that would reach another window.
bool activate(const EnvChanges& env, unsigned long window);
// Saves a window with its frame as the screen shows it (windows above it included).
void keepScreenshot(const EnvChanges& env, WindowWatch& watch, unsigned long window,
                    const std::string& name);

// The program installed into a directory of its own with the settings backup `settings` (none
// when empty), to be started on a display of its own.
class InstalledProgram {
 public:
  explicit InstalledProgram(const std::string& settings = "");
  bool ready() const { return display.ready() && watch.ready(); }
  std::string whyNotReady() const;
  void start();
  // Starts the program and waits (60 s at most) until its main window is shown; keeps the
  // window's id in `mainWindow` and returns it, 0 when none came.
  unsigned long startShown();
  // Closes the main window through the window manager; the program must end with status 0.
  void closeMainWindow();
  // Asks the program to end as `kill` does; it must end with status 0.
  void endOnTerm();
  // Presses `names` (xdotool's key names: "alt+s", "Tab", "Return") one after another in the
  // window that has the keyboard, then gives the program 300 ms to act on them.
  void keys(std::vector<std::string> names);
  // Types `text` (ASCII only: xdotool loses the capitals of umlauts) like `keys`.
  void type(const std::string& text);
  // Gives `from` the keyboard, presses `names` there and waits (30 s at most) until a window
  // whose title contains `title` is shown, then gives that window the keyboard. Its id; 0 when
  // it did not come or did not take the keyboard.
  unsigned long open(unsigned long from, const std::vector<std::string>& names,
                     const std::string& title);
  // The same through the menu bar: `menuKey` ("alt+d") opens a menu, `letter` chooses in it.
  // On a busy machine the menu may not be open yet when the letter comes; the menu is then
  // closed and both keys are sent again, three times at most, each waited for 10 s.
  unsigned long openThroughMenu(unsigned long from, const std::string& menuKey,
                                const std::string& letter, const std::string& title);
  // Waits (30 s at most) until the window manager lists no window whose title contains `title`.
  bool closed(const std::string& title) const;
  // The calendar's window: the one besides the main window titled with the program's title (the
  // calendar's has a blank before it); 0 while there is none.
  unsigned long calendarWindow() const;
  std::string log() const { return dir.read("Zorvane.Log"); }
  bool logHas(const std::string& text) const { return log().find(text) != std::string::npos; }

  TestDir dir;
  VirtualDisplay display;
  WindowWatch watch{display.name()};
  EnvChanges env;
  std::unique_ptr<Process> program;
  unsigned long mainWindow = 0;  // set by startShown()
};

}  // namespace zrv::test
