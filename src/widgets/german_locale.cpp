#include "widgets/german_locale.h"

#include <wx/intl.h>
#include <wx/translation.h>

#include <clocale>

namespace zrv {

void selectGermanTexts() {
  // Narrow strings are UTF-8 throughout; numbers keep the C conventions.
  if (!std::setlocale(LC_CTYPE, "C.UTF-8")) std::setlocale(LC_CTYPE, "");
  auto* translations = new wxTranslations;
  translations->SetLanguage(wxLANGUAGE_GERMAN);
  wxTranslations::Set(translations);  // wx owns it from here
}

}  // namespace zrv
