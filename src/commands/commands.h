// The command layer: every command of the main window with its id, the logbook tag of the
// search for the next appointment that follows it, whether it runs inside the timer's
// wrapping, whether it looks for missed appointments, whether it leaves the week overview, and
// its action. Windows only bind their entries to ids and call run().
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

struct Command {
  CommandId id;
  std::string tag;            // chkNext's caller tag; "" for none
  bool timerWrapped = false;  // timer paused around it (runUserCommand when there is a tag)
  bool checkMissed = false;   // chkOlds after the action (timer-wrapped commands only)
  bool leavesWeek = true;     // the week overview gives way to the list first
  std::function<void(CommandScope&)> action;
};

// The text of a command whose window comes later.
inline constexpr const char* kNotYetAvailable = "Diese Funktion ist noch nicht verfügbar.";

class Commands {
 public:
  // Adds or replaces the command of `c.id`.
  void add(Command c);
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

// Every command of the main window; those whose window comes later say kNotYetAvailable.
Commands mainWindowCommands();

}  // namespace zrv
