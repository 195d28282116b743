// German for the texts the toolkit itself shows (stock buttons, standard dialogs), whatever the
// machine's locale. Texts of the program are UTF-8 and reach wx through wxString::FromUTF8.
#pragma once

namespace zrv {

void selectGermanTexts();

}  // namespace zrv
