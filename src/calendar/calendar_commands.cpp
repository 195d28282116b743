#include "calendar/calendar_commands.h"

#include "commands/commands.h"

namespace zrv {

void registerCalendarCommands(Commands& commands, CalendarViewer& viewer) {
  const CommandAction show = [&viewer](CommandScope& s) {
    if (s.env) viewer.showCalendar();
  };
  commands.add(CommandId::AppointmentCalendar, show);
  commands.add(CommandId::BarCalendar, show);
}

}  // namespace zrv
