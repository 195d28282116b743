// The program's modal windows as they open and close (message boxes and the toolkit's own
// dialogs included): how many are open, the one opened last, and the window a new message box
// or question belongs to, so that it is placed over the window it was raised from.
#pragma once

class wxDialog;
class wxWindow;

namespace zrv {

// Counts the modal windows open right now. Counting begins with the first call of any function
// here, so the program calls one before any window can open.
int openModalWindows();
// The modal window opened last and still open (its loop is the one that runs); null for none.
wxDialog* innermostModalWindow();
// The owner of a message box or question: `requested` when given, else the modal window opened
// last, else `fallback` (the main window). Null when none of them exists.
wxWindow* dialogOwner(wxWindow* requested, wxWindow* fallback = nullptr);
// Ends a dialog with `code`, whether it runs modal or was shown modeless (as tests show them).
void endDialog(wxDialog& dialog, int code);

}  // namespace zrv
