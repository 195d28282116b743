// The button bar along the top of the main window: flat buttons with a bitmap, a tooltip and
// a status text shown in the message bar while the mouse is over them, separating gaps, and a
// drop-down arrow on the buttons that have a menu. It cannot be closed and ignores right
// clicks.
#pragma once

#include <wx/panel.h>

#include <functional>
#include <string>
#include <vector>

#include "commands/menu_tables.h"

namespace zrv {

class FlatButton;

struct ButtonBarEvents {
  std::function<void(CommandId)> pressed;
  // The drop-down arrow of a button: its menu number and the button.
  std::function<void(int number, wxWindow* button)> dropDown;
  std::function<void(const std::string&)> status;  // "" when the mouse leaves
};

class ButtonBar : public wxPanel {
 public:
  ButtonBar(wxWindow* parent, const std::vector<BarButton>& buttons, ButtonBarEvents events);

  // The button of `id`, null when the bar has none.
  wxWindow* button(CommandId id) const;
  // Presses the button as a click does; `arrow` presses its drop-down arrow.
  void press(CommandId id, bool arrow = false);

 private:
  ButtonBarEvents events_;
  std::vector<std::pair<CommandId, FlatButton*>> buttons_;
};

}  // namespace zrv
