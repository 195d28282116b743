// The toolkit's own dialogs (GTK's question boxes, file chooser and print dialog) run loops of
// their own that wx cannot end: a request to end the program answers them as their close box
// would.
#pragma once

class wxDialog;

namespace zrv {

// Ends the modal `dialog` without an action: wx's own loop with "cancel", a native dialog with
// the answer its close box gives (a question then counts as answered "no"). False when nothing
// could be ended.
bool endModalWithoutAction(wxDialog& dialog);

}  // namespace zrv
