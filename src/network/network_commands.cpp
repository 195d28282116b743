#include "network/network_commands.h"

#include "app/context.h"
#include "commands/commands.h"
#include "network/user_removal.h"
#include "network/user_switch.h"
#include "ports/command_window.h"

namespace zrv {

void registerNetworkCommands(Commands& commands, UserWindows& windows) {
  const auto switchUser = [&windows](CommandScope& s) { userList(s.ctx, windows); };
  commands.add(CommandId::FileUser, switchUser);
  const Command* bar = commands.find(CommandId::BarUserOrFile);
  const CommandAction chooseFile = bar ? bar->action : CommandAction();
  commands.add(CommandId::BarUserOrFile, [switchUser, chooseFile](CommandScope& s) {
    if (s.ctx.settings.LS_LAN) {
      switchUser(s);
    } else if (chooseFile) {
      chooseFile(s);
    }
  });
  // The program ends through its close handler and the normal shut-down.
  commands.add(CommandId::FileUninstall, [](CommandScope& s) {
    if (delLanSet(s.ctx)) s.window.closeWindow();
  });
  commands.add(CommandId::SettingsOptimizeUsers, [](CommandScope& s) { optimizeUsers(s.ctx); });
}

}  // namespace zrv
