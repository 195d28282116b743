// The command layer: every command of the main window with its id, the logbook tag of the
// search for the next appointment that follows it, whether it runs inside the timer's
// wrapping, whether it looks for missed appointments, whether it leaves the week overview (its
// facts, fixed in one table), and its action. Windows only bind their entries to ids and call
// run(). A subsystem gives its commands their actions from a registration function of its own,
// against a port of its own: registerEditorCommands(commands, editor) calls
// commands.add(CommandId::AppointmentNew, action) and so on.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "commands/command_ids.h"

namespace zrv {

struct Context;
struct ReminderEnv;
class CommandWindow;

// What a command works with. `env` is null while no table is open; `recno` is the record a
// context menu was opened on (0 otherwise).
struct CommandScope {
  Context& ctx;
  ReminderEnv* env;
  CommandWindow& window;
  std::uint32_t recno = 0;
};

using CommandAction = std::function<void(CommandScope&)>;

struct Command {
  CommandId id;
  std::string tag;            // chkNext's caller tag; "" for none
  bool timerWrapped = false;  // timer paused around it (runUserCommand when there is a tag)
  bool checkMissed = false;   // chkOlds after the action (timer-wrapped commands only)
  bool leavesWeek = true;     // the week overview gives way to the list first
  CommandAction action;
};

// The text of a command whose window comes later, and the action that says it.
inline constexpr const char* kNotYetAvailable = "Diese Funktion ist noch nicht verfügbar.";
void notYetAvailable(CommandScope& scope);

class Commands {
 public:
  // Adds or replaces the command of `c.id`, facts and action.
  void add(Command c);
  // Gives the command `id` its action, keeping its tag and wrapping: how a subsystem registers
  // its commands. False (and nothing changes) for an id without a command.
  bool add(CommandId id, CommandAction action);
  const Command* find(CommandId id) const;
  // Runs the command: leaves the week overview when it says so; with a table open, pauses the
  // timer around a timer-wrapped action, looks for missed appointments when asked and for the
  // next appointment with its tag; without a table only the action runs. False for an id
  // without a command.
  bool run(CommandId id, CommandScope& scope) const;

 private:
  std::map<CommandId, Command> commands_;
};

// The list's context menu around `show`, which shows it and runs the chosen command once it
// has closed: the timer is paused while it is open, then the next appointment is looked for
// ("BuildRMenu"). Without a table only `show` runs.
void aroundContextMenu(ReminderEnv* env, const std::function<void()>& show);

// The context menu's commands work on the record it was opened on: `then` runs with the table
// on record `scope.recno` (nothing without a table).
CommandAction onClicked(CommandAction then);

// Every command of the main window with its facts; each action says kNotYetAvailable until a
// registration gives it its own.
Commands commandFacts();
// The actions of the main window's own commands (the list, the views, the week overview, the
// table files, help, about, hide and end), against CommandWindow.
void registerMainWindowCommands(Commands& commands);
// commandFacts() with the main window's own actions. The editor's and the calendar's commands
// are registered by their subsystems (editor/editor_commands.h, calendar/calendar_commands.h).
Commands mainWindowCommands();

}  // namespace zrv
