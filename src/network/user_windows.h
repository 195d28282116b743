// What the user registry's operations need of the windows: the user set-up dialog and the user
// list. The program gives the wx dialogs (network/user_windows_wx.h); tests give scripted ones.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zrv {

// How the set-up dialog "Zorvane - Benutzer-Einstellungen" ended.
struct UserSetUpAnswer {
  enum class Ending {
    kSaved,      // "&Speichern": `name` as entered (UTF-8)
    kCancelled,  // "&Abbrechen": the program ends
    kClosed,     // the close box (or Escape): nothing is registered, no table is opened
  };
  Ending ending = Ending::kClosed;
  std::string name;
};

class UserWindows {
 public:
  virtual ~UserWindows() = default;
  // The set-up dialog: the user's "Vor- und Nachname".
  virtual UserSetUpAnswer askUserName() = 0;
  // The dialog "Benutzerliste" over `names` (in the order shown): the position of the chosen
  // name, nullopt when none was taken.
  virtual std::optional<std::size_t> chooseUser(const std::vector<std::string>& names) = 0;
};

}  // namespace zrv
