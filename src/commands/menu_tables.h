// What the command surfaces of the main window show: the menu bar, the button bar, its two
// drop-down menus and the list's context menu, entry by entry, with their enabling rules. The
// windows build their menus and buttons from these tables and bind each entry to its id.
#pragma once

#include <string>
#include <vector>

#include "commands/command_ids.h"

namespace zrv {

struct Appointment;

// When an entry can be chosen; evaluated each time its menu opens.
enum class EnableRule {
  Always,
  Network,   // only in network mode
  RunNow,    // the record starts a program (TA20) or sends a file (TA22)
  NotFiled,  // the record is not filed away
  Filed,     // the record is filed away
};

// What the rules look at: the mode and the record the menu was opened on (null: none).
struct MenuFacts {
  bool network = false;
  const Appointment* record = nullptr;
};

bool isEnabled(EnableRule rule, const MenuFacts& facts);

struct MenuEntry {
  enum class Kind { Item, Separator, Submenu };
  Kind kind = Kind::Item;
  CommandId id{};
  std::string caption;
  std::string statusText;  // shown in the message bar while the entry is highlighted
  std::string bitmap;      // bitmap resource name; "" for none
  EnableRule rule = EnableRule::Always;
  std::vector<MenuEntry> children;  // a sub-menu's entries
};

struct MenuTable {
  std::string caption;
  std::vector<MenuEntry> entries;
};

// The menu bar, menu by menu. "&Benutzer", "&Deinstallieren" and "&Netzwerk-Einstellungen"
// follow the network mode.
std::vector<MenuTable> menuBarTable();
// The bar's drop-down menus: 1 the views, 2 the settings ("&Netzwerk" only in network mode).
std::vector<MenuEntry> dropDownTable(int number, bool network);
// The list's context menu.
std::vector<MenuEntry> contextMenuTable();

struct BarButton {
  CommandId id{};
  std::string bitmap;
  int width = 26;
  int height = 26;
  bool gapBefore = false;
  std::string statusText;
  std::string tooltip;
  int dropDown = 0;  // the drop-down menu of its arrow (1 or 2), 0 for none
};

inline constexpr int kBarHeight = 28;
inline constexpr unsigned char kBarColour[3] = {165, 192, 170};

// The button bar, left to right; the user/file button follows the network mode at the time
// the bar is built.
std::vector<BarButton> buttonBarTable(bool network);

// The entry of `id` anywhere in `entries`, sub-menus included; null when there is none.
const MenuEntry* findEntry(const std::vector<MenuEntry>& entries, CommandId id);

}  // namespace zrv
