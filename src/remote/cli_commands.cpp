#include "remote/cli_commands.h"

#include "commands/commands.h"

namespace zrv {

void registerCommandLineCommands(Commands& commands, CliChangeSource& source) {
  commands.add(CommandId::CommandLineChange, [&source](CommandScope& s) { source.carryOut(s); });
}

}  // namespace zrv
