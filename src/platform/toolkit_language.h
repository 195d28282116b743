// German for the texts of the toolkit's own dialogs (GTK's print dialog and file chooser), which
// come from the system's message catalogues, whatever locale the machine is set to.
#pragma once

namespace zrv {

// Makes the message catalogues answer in German: messages in a UTF-8 locale ("C.UTF-8", which
// every system has) with German as the preferred language. Numbers and sorting stay as they
// are. Call once at start, before the first window of the toolkit's own.
void germanToolkitMessages();

}  // namespace zrv
