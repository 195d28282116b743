// The dialog "Zorvane - Benutzer-Einstellungen": the group "Benutzer" with the entry
// "Vor- und Nachname" (30 characters) and the read-only "Ihre Termindatei", which shows the
// table the name gives (chkUmlaut) whenever the entry is left; "&Speichern" and "&Abbrechen".
// Its rules are setUpUser's (network/user_setup.h).
#pragma once

#include <wx/dialog.h>

#include "network/user_windows.h"
#include "widgets/dialog_look.h"

class wxButton;
class wxTextCtrl;

namespace zrv {

inline constexpr int kUserSaveId = 901;
inline constexpr int kUserCancelId = 999;

class UserSetupDialog : public wxDialog {
 public:
  UserSetupDialog(wxWindow* parent, const EntryColours& colours);

  wxTextCtrl* nameField() const { return name_; }
  wxTextCtrl* fileField() const { return file_; }
  // How the dialog ended; kClosed until a button was pressed.
  UserSetUpAnswer answer() const;
  // The table field shows the table of the name entered.
  void refreshFile();

 private:
  wxTextCtrl* name_ = nullptr;
  wxTextCtrl* file_ = nullptr;
};

}  // namespace zrv
