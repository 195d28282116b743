#include "ui/editor_stub.h"

#include <wx/msgdlg.h>

namespace zrv {

void editTerminStub(wxWindow* owner, std::uint32_t /*recno*/, bool isNew) {
  const char* text = isNew ? "Neue Termine lassen sich in dieser Version noch nicht anlegen."
                           : "Termine lassen sich in dieser Version noch nicht bearbeiten.";
  wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8("Hinweis"), wxOK | wxICON_INFORMATION,
               owner);
}

}  // namespace zrv
