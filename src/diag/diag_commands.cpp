#include "diag/diag_commands.h"

#include "commands/commands.h"
#include "diag/system_info.h"

namespace zrv {

void registerDiagCommands(Commands& commands, ProgramLauncher& launcher, int colourDepth) {
  commands.add(CommandId::HelpSystemInfo, [&launcher, colourDepth](CommandScope& s) {
    sysInfo(s.ctx, launcher, true, colourDepth);
  });
}

}  // namespace zrv
