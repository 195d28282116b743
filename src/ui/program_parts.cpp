#include "ui/program_parts.h"

#include "calendar/calendar_window.h"
#include "editor/edit_termin.h"
#include "ui/resident_program.h"

namespace zrv {

ProgramParts::ProgramParts(ResidentProgram& program) : program_(program) {
  editorSeams_.pickDate = calendarDatePicker(program.context());
}

void ProgramParts::editTermin(wxWindow* owner, std::uint32_t recno, bool isNew) {
  if (ReminderEnv* env = program_.env()) {
    (void)zrv::editTermin(owner, *env, recno, isNew, false, "", editorSeams_);
  }
}

}  // namespace zrv
