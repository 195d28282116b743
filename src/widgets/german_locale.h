// German for the texts the toolkit itself shows (stock buttons, standard dialogs), whatever the
// machine's locale. Texts of the program are UTF-8 and reach wx through wxString::FromUTF8.
#pragma once

#include <wx/translation.h>

namespace zrv {

// Chooses German for the toolkit; its own texts are loaded later, by loadToolkitTexts.
void selectGermanTexts();

// Loads wx's German texts (half a megabyte, kept for the rest of the run). Only wx's own windows
// need them, so they are loaded just before one opens: a file chooser, the help window, a print
// dialog. Any later call does nothing; callable from the help module too.
inline void loadToolkitTexts() {
  wxTranslations* texts = wxTranslations::Get();
  if (!texts || texts->IsLoaded("wxstd-3.2") || texts->IsLoaded("wxstd")) return;
  texts->AddStdCatalog();
}

}  // namespace zrv
