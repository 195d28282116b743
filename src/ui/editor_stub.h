// Stand-in for the appointment editor until the editor is built: the list's edit actions
// (double click, Enter, Insert) call it, and it tells the user that editing is not there yet.
#pragma once

#include <cstdint>

class wxWindow;

namespace zrv {

// `recno` 0 with `isNew`: a new appointment.
void editTerminStub(wxWindow* owner, std::uint32_t recno, bool isNew);

}  // namespace zrv
