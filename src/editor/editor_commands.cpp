#include "editor/editor_commands.h"

#include "commands/commands.h"
#include "reminder/reminder_env.h"
#include "store/appointments/appointment_table.h"

namespace zrv {

void registerEditorCommands(Commands& commands, AppointmentEditor& editor) {
  const CommandAction editNew = [&editor](CommandScope& s) {
    if (s.env) editor.editAppointment(0, true);
  };
  // An empty view has no current appointment: there is nothing to change (a blank editor would
  // only fail to save).
  const CommandAction editCurrent = [&editor](CommandScope& s) {
    if (!s.env || s.env->DTER.eof() || s.env->DTER.isDeleted()) return;
    editor.editAppointment(s.env->DTER.recNo(), false);
  };
  for (CommandId id : {CommandId::AppointmentNew, CommandId::BarNew, CommandId::ContextNew,
                       CommandId::ListInsertKey}) {
    commands.add(id, editNew);
  }
  for (CommandId id : {CommandId::AppointmentEdit, CommandId::BarEdit, CommandId::ListEditButton,
                       CommandId::ListEditTab}) {
    commands.add(id, editCurrent);
  }
  commands.add(CommandId::ContextEdit, onClicked(editCurrent));
}

}  // namespace zrv
