#include "print/print_commands.h"

#include "app/context.h"
#include "commands/commands.h"
#include "print/printouts.h"
#include "reminder/reminder_env.h"
#include "store/base/clock.h"

namespace zrv {

void registerPrintCommands(Commands& commands, PrintDevices devices) {
  // The appointments print only while a table is open; the settings page always.
  const auto day = [devices](long daysAhead) -> CommandAction {
    return [devices, daysAhead](CommandScope& s) {
      if (s.env) printADay(s.ctx, s.env->DTER, s.ctx.clock.today() + daysAhead, devices.printer);
    };
  };
  commands.add(CommandId::PrintToday, day(0));
  commands.add(CommandId::PrintTomorrow, day(1));
  commands.add(CommandId::PrintNextWeek, [devices](CommandScope& s) {
    if (s.env) printNxtWeek(s.ctx, s.env->DTER, devices.printer);
  });
  commands.add(CommandId::PrintPeriod, [devices](CommandScope& s) {
    if (s.env) printDefined(s.ctx, s.env->DTER, devices);
  });
  commands.add(CommandId::PrintSetup,
               [devices](CommandScope& s) { printSetup(s.ctx, devices.printer); });
}

}  // namespace zrv
