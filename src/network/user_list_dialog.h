// The dialog "Benutzerliste": the picture "Userlist", the request to choose a user, the list
// "Benutzername" (which has the focus), "&Weiter" (or a double click, or Enter) takes the
// selected user, "&Hilfe" opens the help page "Benutzer", "&Abbrechen" takes none. Its rules are
// userList's (network/user_switch.h).
#pragma once

#include <wx/dialog.h>

#include <optional>
#include <string>
#include <vector>

class wxListCtrl;

namespace zrv {

class WindowServices;

inline constexpr int kUserListNextId = 901;
inline constexpr int kUserListHelpId = 902;

class UserListDialog : public wxDialog {
 public:
  UserListDialog(wxWindow* parent, const std::vector<std::string>& names, WindowServices& services);

  wxListCtrl* list() const { return list_; }
  // The position of the user taken; nullopt until "&Weiter".
  const std::optional<std::size_t>& chosen() const { return chosen_; }
  // What "&Weiter" does: takes the selected user (nothing when none is selected).
  void takeSelected();

 private:
  wxListCtrl* list_ = nullptr;
  std::optional<std::size_t> chosen_;
};

}  // namespace zrv
