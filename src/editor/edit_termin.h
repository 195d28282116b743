// EDITTERMIN: the one entry to the appointment editor, for the list (double click, Enter,
// Insert), the menus, the button bar, the context menu and the clipboard paste. The caller
// pauses the due check around it and looks for the next appointment afterwards.
#pragma once

#include <cstdint>
#include <string>

class wxWindow;

namespace zrv {

struct ReminderEnv;
class WindowServices;

// Opens the editor modally over `owner` on record `recno` of DTER, or on a new appointment
// (`isNew`, `recno` ignored) whose text starts as `startText`. `isCopy` is not used (callers
// pass false). `services` give the window the calendar, the help book, the file chooser and the
// message boxes. Afterwards the table stands on the saved appointment, or on the record that was
// current before when nothing was saved. True when an appointment was saved.
bool editTermin(wxWindow* owner, ReminderEnv& env, std::uint32_t recno, bool isNew, bool isCopy,
                const std::string& startText, WindowServices& services);

}  // namespace zrv
