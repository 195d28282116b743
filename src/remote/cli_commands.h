// The running program's command for a change handed over by the command line: registered under
// CommandId::CommandLineChange, whose facts pause the timer around it and look for missed
// appointments and for the next one ("CLI") afterwards, which reloads the list.
#pragma once

namespace zrv {

class Commands;
struct CommandScope;

// Whoever holds the change that came over the socket; the command's action hands it the scope.
class CliChangeSource {
 public:
  virtual ~CliChangeSource() = default;
  // Carries the pending change out on the table in use and answers it (before the searches that
  // follow it, which may open alerts).
  virtual void carryOut(CommandScope& scope) = 0;
};

void registerCommandLineCommands(Commands& commands, CliChangeSource& source);

}  // namespace zrv
