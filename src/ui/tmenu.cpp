#include "ui/tmenu.h"

#include <wx/window.h>

#include <algorithm>
#include <map>
#include <utility>

#include "commands/menu_codec.h"
#include "widgets/bitmaps.h"

namespace zrv {
namespace {

constexpr int kMenuBitmapSize = 16;

std::vector<TMenu*>& popupList() {
  static std::vector<TMenu*> list;
  return list;
}

// The pop-up each window shows.
std::map<wxWindow*, TMenu*>& shownOn() {
  static std::map<wxWindow*, TMenu*> shown;
  return shown;
}

void forgetShown(TMenu* menu) {
  auto& shown = shownOn();
  for (auto it = shown.begin(); it != shown.end();) {
    it = it->second == menu ? shown.erase(it) : std::next(it);
  }
}

SavedObject saveMenu(const TMenu& menu);

SavedObject saveItem(const TMenu::Item& item) {
  SavedObject o{"TMENUITEM", {}};
  if (item.id != 0) o.properties.emplace_back("NID", SavedValue::ofNumber(item.id));
  if (!item.prompt.empty()) o.properties.emplace_back("CPROMPT", SavedValue::ofText(item.prompt));
  if (!item.message.empty()) o.properties.emplace_back("CMSG", SavedValue::ofText(item.message));
  if (!item.bitmap.empty()) o.properties.emplace_back("CBITMAP", SavedValue::ofText(item.bitmap));
  if (item.separator) o.properties.emplace_back("LSEPARATOR", SavedValue::ofLogical(true));
  if (item.submenu) {
    o.properties.emplace_back(
        "BACTION", SavedValue{'O', "", {}, std::make_shared<SavedObject>(saveMenu(*item.submenu))});
  }
  return o;
}

SavedObject saveMenu(const TMenu& menu) {
  SavedObject o{"TMENU", {}};
  if (!menu.items().empty()) {
    SavedValue list{'A', "", {}, {}};
    for (const TMenu::Item& item : menu.items()) {
      list.list.push_back(SavedValue{'O', "", {}, std::make_shared<SavedObject>(saveItem(item))});
    }
    o.properties.emplace_back("AITEMS", std::move(list));
  }
  if (!menu.varName.empty())
    o.properties.emplace_back("CVARNAME", SavedValue::ofText(menu.varName));
  return o;
}

std::string textOf(const SavedObject& o, const char* name) {
  const SavedValue* v = o.find(name);
  return v ? v->text : std::string();
}

std::unique_ptr<TMenu> loadMenu(const SavedObject& o, bool popup) {
  if (o.className != "TMENU") return nullptr;
  auto menu = std::make_unique<TMenu>(popup);
  menu->varName = textOf(o, "CVARNAME");
  const SavedValue* items = o.find("AITEMS");
  for (const SavedValue& v : items ? items->list : std::vector<SavedValue>{}) {
    if (v.type != 'O' || !v.object || v.object->className != "TMENUITEM") return nullptr;
    const SavedObject& io = *v.object;
    TMenu::Item item;
    item.id = std::atoi(textOf(io, "NID").c_str());
    item.prompt = textOf(io, "CPROMPT");
    item.message = textOf(io, "CMSG");
    item.bitmap = textOf(io, "CBITMAP");
    item.separator = textOf(io, "LSEPARATOR") == "T";
    if (const SavedValue* sub = io.find("BACTION"); sub && sub->object) {
      item.submenu = loadMenu(*sub->object, false);
      if (!item.submenu) return nullptr;
    }
    menu->add(std::move(item));
  }
  return menu;
}

}  // namespace

TMenu::TMenu(bool popup) : popup_(popup) {
  if (popup_) popupList().push_back(this);
}

TMenu::~TMenu() {
  end();
}

void TMenu::add(Item item) {
  if (item.submenu) item.submenu->parent_ = this;
  items_.push_back(std::move(item));
}

void TMenu::addSeparator() {
  Item item;
  item.separator = true;
  add(std::move(item));
}

void TMenu::addSubmenu(const std::string& prompt, std::unique_ptr<TMenu> submenu) {
  Item item;
  item.prompt = prompt;
  item.submenu = std::move(submenu);
  add(std::move(item));
}

wxMenuBar* TMenu::menuBar() {
  if (bar_ || popup_) return bar_;
  bar_ = new wxMenuBar;
  for (Item& item : items_) {
    if (!item.submenu) continue;
    item.submenu->wxMenu_ = new wxMenu;
    item.submenu->fill(item.submenu->wxMenu_);
    bar_->Append(item.submenu->wxMenu_, wxString::FromUTF8(item.prompt));
  }
  return bar_;
}

wxMenu* TMenu::menu() {
  if (!wxMenu_ && popup_ && !parent_) {
    ownedMenu_ = std::make_unique<wxMenu>();
    wxMenu_ = ownedMenu_.get();
    fill(wxMenu_);
  }
  return wxMenu_;
}

void TMenu::fill(wxMenu* menu) {
  for (Item& item : items_) {
    if (item.separator) {
      menu->AppendSeparator();
    } else if (item.submenu) {
      item.submenu->wxMenu_ = new wxMenu;
      item.submenu->fill(item.submenu->wxMenu_);
      menu->AppendSubMenu(item.submenu->wxMenu_, wxString::FromUTF8(item.prompt));
    } else {
      auto* entry = new wxMenuItem(menu, item.id, wxString::FromUTF8(item.prompt),
                                   wxString::FromUTF8(item.message));
      if (!item.bitmap.empty()) {
        entry->SetBitmap(bitmapByName(item.bitmap, wxSize(kMenuBitmapSize, kMenuBitmapSize)));
      }
      menu->Append(entry);
    }
  }
}

void TMenu::setEnabled(const Item& item, bool on) {
  if (wxMenu_ && wxMenu_->FindItem(item.id)) wxMenu_->Enable(item.id, on);
}

void TMenu::initiate() {
  for (Item& item : items_) {
    if (item.submenu) {
      item.submenu->initiate();
    } else if (item.enabled && !item.separator) {
      setEnabled(item, item.enabled());
    }
  }
}

TMenu::Item* TMenu::findItem(int id) {
  for (Item& item : items_) {
    if (item.submenu) {
      if (Item* found = item.submenu->findItem(id)) return found;
    } else if (!item.separator && item.id == id) {
      return &item;
    }
  }
  return nullptr;
}

const TMenu::Item* TMenu::item(int id) const {
  return const_cast<TMenu*>(this)->findItem(id);
}

bool TMenu::command(int id) {
  Item* item = findItem(id);
  if (!item || !item->action) return false;
  if (item->enabled && !item->enabled()) return true;
  lastItem_ = item;
  if (popup_) {
    chosen_ = item;
  } else {
    item->action();
  }
  return true;
}

void TMenu::activate(int row, int column, wxWindow* window, bool end) {
  if (ended_ || !window) return;
  auto& shown = shownOn();
  if (end) {
    const auto it = shown.find(window);
    if (it != shown.end() && it->second != this) it->second->end();
  }
  shown[window] = this;
  wxMenu* platformMenu = menu();
  initiate();
  shown_ = true;
  const int id = window->GetPopupMenuSelectionFromUser(*platformMenu, wxPoint(column, row));
  shown_ = false;
  if (!ended_ && id != wxID_NONE) command(id);
  forgetShown(this);
  // The choice runs now that the pop-up is closed, once.
  Item* chosen = std::exchange(chosen_, nullptr);
  if (chosen && !ended_) chosen->action();
  if (end || ended_) this->end();
}

void TMenu::end() {
  chosen_ = nullptr;
  ended_ = true;
  // A pop-up that is still on the screen lets go of its platform menu when it has closed.
  if (shown_) return;
  forgetShown(this);
  auto& list = popupList();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  ownedMenu_.reset();
  wxMenu_ = nullptr;
}

std::string TMenu::save() const {
  return encodeObject(saveMenu(*this));
}

std::unique_ptr<TMenu> TMenu::load(const std::string& data) {
  const std::optional<SavedObject> o = decodeObject(data);
  return o ? loadMenu(*o, true) : nullptr;
}

const std::vector<TMenu*>& TMenu::popups() {
  return popupList();
}

}  // namespace zrv
