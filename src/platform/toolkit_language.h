// German for the texts of the toolkit's own dialogs (GTK's print dialog and file chooser), which
// come from the system's message catalogues, whatever locale the machine is set to.
#pragma once

namespace zrv {

// Makes the message catalogues answer in German: messages in the locale "de_DE.UTF-8" where the
// machine has it (scripts/install-deps.sh makes it), else in "C.UTF-8" with German as the
// preferred language. Numbers and sorting stay as they are. Call once at start, before the
// first window of the toolkit's own.
void germanToolkitMessages();

}  // namespace zrv
