#include "network/user_windows_wx.h"

#include "network/user_list_dialog.h"
#include "network/user_setup_dialog.h"

namespace zrv {

UserSetUpAnswer WxUserWindows::askUserName() {
  UserSetupDialog dialog(parent_, colours_);
  dialog.ShowModal();
  return dialog.answer();
}

std::optional<std::size_t> WxUserWindows::chooseUser(const std::vector<std::string>& names) {
  UserListDialog dialog(parent_, names, services_);
  dialog.ShowModal();
  return dialog.chosen();
}

}  // namespace zrv
