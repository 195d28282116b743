// The ports of the main window's commands for command tests: the main window, the editor, the
// calendar viewer and the settings windows in one scripted window that records every call as a
// word ("leaveWeek", "edit 0 new timer off", "choose", "setupLan timer off"), and the commands
// registered against it as in the program.
#pragma once

#include <string>
#include <vector>

#include "calendar/calendar_commands.h"
#include "commands/commands.h"
#include "editor/editor_commands.h"
#include "network/network_commands.h"
#include "network/user_windows.h"
#include "ports/command_window.h"
#include "print/print_commands.h"
#include "settings/settings_commands.h"
#include "support/print_fakes.h"
#include "support/reminder_fakes.h"

namespace zrv::test {

class FakeCommandWindow : public CommandWindow,
                          public AppointmentEditor,
                          public CalendarViewer,
                          public SettingsWindows,
                          public UserWindows {
 public:
  // `timer` is the due-check timer whose state an edit notes.
  explicit FakeCommandWindow(const FakeTimer& timer) : timer_(timer) {}

  // The main window's commands with the editor's and the calendar's registered against this
  // window.
  Commands allCommands() {
    Commands all = mainWindowCommands();
    registerEditorCommands(all, *this);
    registerCalendarCommands(all, *this);
    registerPrintCommands(all, {printer, period});
    registerSettingsCommands(all, *this);
    registerNetworkCommands(all, *this);
    return all;
  }

  void leaveWeekOverview() override { calls.push_back("leaveWeek"); }
  void showWeekOverview() override { calls.push_back("week"); }
  void showAbout() override { calls.push_back("about"); }
  void copyToClipboard() override { calls.push_back("copy"); }
  void pasteFromClipboard() override { calls.push_back("paste"); }
  void moveInList(ListMove) override { calls.push_back("move"); }
  void hideWindow() override { calls.push_back("hide"); }
  void closeWindow() override { calls.push_back("close"); }
  std::string chooseTableFile(TableFileChoice) override {
    calls.push_back("choose");
    return chosen;
  }
  void editAppointment(std::uint32_t recno, bool isNew) override {
    calls.push_back("edit " + std::to_string(recno) + (isNew ? " new" : "") +
                    (timer_.on ? " timer on" : " timer off"));
  }
  void showCalendar() override { calls.push_back("calendar"); }
  void setupMain() override { calls.push_back(withTimer("setupMain")); }
  void setupLan() override { calls.push_back(withTimer("setupLan")); }
  void setupSound() override { calls.push_back(withTimer("setupSound")); }
  UserSetUpAnswer askUserName() override {
    calls.push_back("setUpUser");
    return setUpAnswer;
  }
  std::optional<std::size_t> chooseUser(const std::vector<std::string>& names) override {
    calls.push_back("userList");
    userNames = names;
    return userChoice;
  }

  std::vector<std::string> calls;
  std::string chosen;                     // what the file chooser gives
  UserSetUpAnswer setUpAnswer;            // what the user set-up gives
  std::vector<std::string> userNames;     // what the user list showed last
  std::optional<std::size_t> userChoice;  // what is chosen in it
  RecordingPrinter printer;
  ScriptedPeriod period;

 private:
  std::string withTimer(const std::string& call) const {
    return call + (timer_.on ? " timer on" : " timer off");
  }
  const FakeTimer& timer_;
};

}  // namespace zrv::test
