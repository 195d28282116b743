// The parts of the main window that the running program supplies: the appointment editor with
// the calendar as its date picker. Whatever is not supplied here does nothing.
#pragma once

#include "editor/editor_seams.h"
#include "ui/main_frame.h"

namespace zrv {

class ResidentProgram;

class ProgramParts : public NoMainWindowParts {
 public:
  explicit ProgramParts(ResidentProgram& program);
  // The editor on the table in use; nothing while no table is open.
  void editTermin(wxWindow* owner, std::uint32_t recno, bool isNew) override;

 private:
  ResidentProgram& program_;
  EditorSeams editorSeams_;
};

}  // namespace zrv
