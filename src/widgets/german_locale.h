// German for the texts the toolkit itself shows (stock buttons, standard dialogs), whatever the
// machine's locale. Texts of the program are UTF-8 and reach wx through wxString::FromUTF8.
#pragma once

#include <wx/translation.h>

namespace zrv {

// Chooses German for the toolkit; its own texts are loaded by loadToolkitTexts.
void selectGermanTexts();

// Loads wx's German texts (the labels of every question's buttons among them), kept for the rest
// of the run. The program loads them at start; a window of wx's own (the help window in its
// module, a print dialog) calls it too, for a run that did not. Any later call does nothing.
inline void loadToolkitTexts() {
  wxTranslations* texts = wxTranslations::Get();
  if (!texts || texts->IsLoaded("wxstd-3.2") || texts->IsLoaded("wxstd")) return;
  texts->AddStdCatalog();
}

}  // namespace zrv
