// The menu object behind the program's menus: the items of one menu bar or pop-up menu with
// caption, status text, bitmap, enabling condition and action, built on wxMenu. Enabling
// conditions are evaluated when the menu opens; a pop-up's chosen action runs once, after the
// pop-up has closed; a second pop-up on the same window ends the first.
#pragma once

#include <wx/menu.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class wxWindow;

namespace zrv {

class TMenu {
 public:
  struct Item {
    int id = 0;
    std::string prompt;             // with "&" before the mnemonic
    std::string message;            // the status text while highlighted
    std::string bitmap;             // bitmap resource name, "" for none
    std::function<bool()> enabled;  // none: always enabled
    std::function<void()> action;
    std::unique_ptr<TMenu> submenu;  // a sub-menu instead of an action
    bool separator = false;
  };

  // A pop-up menu, or a menu bar (whose menus are its sub-menus).
  explicit TMenu(bool popup = false);
  ~TMenu();
  TMenu(const TMenu&) = delete;
  TMenu& operator=(const TMenu&) = delete;

  void add(Item item);
  void addSeparator();
  void addSubmenu(const std::string& prompt, std::unique_ptr<TMenu> submenu);

  // The platform menu bar (menu bars) or menu (pop-ups and sub-menus), made at the first call;
  // a menu bar given to a frame belongs to the frame.
  wxMenuBar* menuBar();
  wxMenu* menu();

  // Before the menu opens: every item with a condition is enabled or disabled by it.
  void initiate();
  // The item `id` was chosen (sub-menus searched): a menu bar runs it now, a pop-up keeps it
  // for after it has closed. An item whose condition is now false does nothing. False for an
  // id without an item.
  bool command(int id);
  // Shows the pop-up at `row`, `column` of `window`'s client area and waits for the choice;
  // the chosen action runs after it has closed. With `end`, a pop-up the window shows already
  // is ended first, and this one is ended afterwards.
  void activate(int row, int column, wxWindow* window, bool end = true);
  // Destroys the platform menu and the items and leaves the program's list of pop-ups.
  void end();

  const Item* item(int id) const;
  const std::vector<Item>& items() const { return items_; }
  const Item* lastItem() const { return lastItem_; }
  bool isPopup() const { return popup_; }
  bool isShown() const { return shown_; }
  std::string varName;

  // The items (prompt, message, id, bitmap, sub-menus) and the variable name in the menu's
  // byte form; load() rebuilds them, without actions or conditions.
  std::string save() const;
  static std::unique_ptr<TMenu> load(const std::string& data);

  // Every pop-up that exists.
  static const std::vector<TMenu*>& popups();

 private:
  Item* findItem(int id);
  void fill(wxMenu* menu);
  void setEnabled(const Item& item, bool on);

  bool popup_;
  bool ended_ = false;
  bool shown_ = false;
  wxMenuBar* bar_ = nullptr;  // owned by the frame once set
  wxMenu* wxMenu_ = nullptr;  // owned here for a pop-up, else by its parent
  std::unique_ptr<wxMenu> ownedMenu_;
  TMenu* parent_ = nullptr;
  std::vector<Item> items_;
  Item* chosen_ = nullptr;  // the pop-up's choice, run after it closed
  const Item* lastItem_ = nullptr;
};

}  // namespace zrv
