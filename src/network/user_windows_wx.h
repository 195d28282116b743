// The program's user windows: the set-up dialog and the user list, modal over the main window.
#pragma once

#include "network/user_windows.h"
#include "widgets/dialog_look.h"

class wxWindow;

namespace zrv {

class WindowServices;

class WxUserWindows : public UserWindows {
 public:
  // `parent` and `services` must outlive this object.
  WxUserWindows(wxWindow* parent, WindowServices& services, EntryColours colours)
      : parent_(parent), services_(services), colours_(colours) {}

  UserSetUpAnswer askUserName() override;
  std::optional<std::size_t> chooseUser(const std::vector<std::string>& names) override;

 private:
  wxWindow* parent_;
  WindowServices& services_;
  EntryColours colours_;
};

}  // namespace zrv
