// The editor's commands: a new appointment and the current one edited, from the menu, the bar,
// the context menu and the list's keys. They reach the editor through AppointmentEditor, which
// the main window implements.
#pragma once

#include <cstdint>

namespace zrv {

class Commands;

class AppointmentEditor {
 public:
  virtual ~AppointmentEditor() = default;
  // The appointment editor on `recno` (0 with `isNew`: a new appointment).
  virtual void editAppointment(std::uint32_t recno, bool isNew) = 0;
};

// Gives the editor's commands their actions; `editor` must outlive `commands`.
void registerEditorCommands(Commands& commands, AppointmentEditor& editor);

}  // namespace zrv
