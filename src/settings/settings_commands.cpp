#include "settings/settings_commands.h"

#include <initializer_list>

#include "app/context.h"
#include "commands/commands.h"

namespace zrv {

void registerSettingsCommands(Commands& commands, SettingsWindows& windows) {
  const auto add = [&commands](const CommandAction& action, std::initializer_list<CommandId> ids) {
    for (const CommandId id : ids)
      commands.add(id, action);
  };
  SettingsWindows* w = &windows;
  add([w](CommandScope&) { w->setupMain(); },
      {CommandId::SettingsGeneral, CommandId::PopupSettingsGeneral});
  add([w](CommandScope&) { w->setupLan(); },
      {CommandId::SettingsNetwork, CommandId::PopupSettingsNetwork});
  add([w](CommandScope&) { w->setupSound(); },
      {CommandId::SettingsSound, CommandId::PopupSettingsSound});
  // The bar's button: the general settings, the network settings in network mode, the sounds.
  add(
      [w](CommandScope& s) {
        w->setupMain();
        if (s.ctx.settings.LS_LAN) w->setupLan();
        w->setupSound();
      },
      {CommandId::BarSettings});
}

}  // namespace zrv
