#include "ui/command_surfaces.h"

#include <wx/menu.h>

#include <optional>

#include "app/context.h"
#include "editor/edit_termin.h"
#include "reminder/reminder_env.h"
#include "store/appointments/appointment_table.h"
#include "ui/button_bar.h"
#include "ui/main_status_bar.h"
#include "ui/resident_tray.h"
#include "ui/tmenu.h"

namespace zrv {
namespace {

// Items of `entries` into `menu`; `run` runs a command, `enabled` evaluates a rule.
void fillMenu(TMenu& menu, const std::vector<MenuEntry>& entries,
              const std::function<void(CommandId)>& run,
              const std::function<bool(EnableRule)>& enabled) {
  for (const MenuEntry& e : entries) {
    if (e.kind == MenuEntry::Kind::Separator) {
      menu.addSeparator();
    } else if (e.kind == MenuEntry::Kind::Submenu) {
      auto sub = std::make_unique<TMenu>();
      fillMenu(*sub, e.children, run, enabled);
      menu.addSubmenu(e.caption, std::move(sub));
    } else {
      TMenu::Item item;
      item.id = static_cast<int>(e.id);
      item.prompt = e.caption;
      item.message = e.statusText;
      item.bitmap = e.bitmap;
      const CommandId id = e.id;
      item.action = [run, id] { run(id); };
      if (e.rule != EnableRule::Always) {
        const EnableRule rule = e.rule;
        item.enabled = [enabled, rule] { return enabled(rule); };
      }
      menu.add(std::move(item));
    }
  }
}

}  // namespace

CommandSurfaces::CommandSurfaces(Context& ctx, WindowServices& services)
    : ctx_(ctx), services_(services) {}

CommandSurfaces::~CommandSurfaces() = default;

void CommandSurfaces::setFrame(MainFrame* frame) {
  frame_ = frame;
  menuBar_ = std::make_unique<TMenu>(false);
  const auto run = [this](CommandId id) { frame_->runCommand(id); };
  const auto enabled = [this](EnableRule rule) { return isEnabled(rule, facts(0)); };
  for (const MenuTable& table : menuBarTable()) {
    auto menu = std::make_unique<TMenu>();
    fillMenu(*menu, table.entries, run, enabled);
    menuBar_->addSubmenu(table.caption, std::move(menu));
  }
  frame_->SetMenuBar(menuBar_->menuBar());
  // "&Benutzer" and "&Deinstallieren" start disabled until the window is initialised.
  menuBar_->menuBar()->Enable(static_cast<int>(CommandId::FileUser), false);
  menuBar_->menuBar()->Enable(static_cast<int>(CommandId::FileUninstall), false);
  bindMenuEvents();
}

void CommandSurfaces::bindMenuEvents() {
  frame_->Bind(wxEVT_MENU, [this](wxCommandEvent& event) {
    // A pop-up's choice is taken by the pop-up itself.
    for (TMenu* popup : TMenu::popups()) {
      if (popup->isShown()) {
        event.Skip();
        return;
      }
    }
    if (!menuBar_->command(event.GetId())) event.Skip();
  });
  frame_->Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& event) {
    menuBar_->initiate();
    event.Skip();
  });
  frame_->Bind(wxEVT_MENU_HIGHLIGHT, &CommandSurfaces::onHighlight, this);
  frame_->Bind(wxEVT_MENU_CLOSE, [this](wxMenuEvent& event) {
    showStatus("");
    event.Skip();
  });
}

// The highlighted entry's status text in the message bar.
void CommandSurfaces::onHighlight(wxMenuEvent& event) {
  wxMenu* menu = event.GetMenu();
  const int id = event.GetMenuId();
  wxMenuItem* item = menu ? menu->FindItem(id) : nullptr;
  if (!item && frame_->GetMenuBar()) item = frame_->GetMenuBar()->FindItem(id);
  showStatus(item ? item->GetHelp().utf8_string() : "");
}

void CommandSurfaces::showStatus(const std::string& text) {
  if (frame_ && frame_->messageBar()) frame_->messageBar()->setText(text);
}

MenuFacts CommandSurfaces::facts(std::uint32_t recno) const {
  std::optional<Appointment>& record = record_;
  record.reset();
  ReminderEnv* env = frame_ ? frame_->env() : nullptr;
  if (env && recno != 0) {
    bool deleted = false;
    Result<Appointment> a = env->DTER.readAt(recno, &deleted);
    if (a && !deleted) record = a.value();
  }
  return MenuFacts{ctx_.settings.LS_LAN, record ? &*record : nullptr};
}

void CommandSurfaces::editTermin(wxWindow* owner, std::uint32_t recno, bool isNew,
                                 const std::string& startText) {
  if (ReminderEnv* env = frame_ ? frame_->env() : nullptr) {
    (void)zrv::editTermin(owner, *env, recno, isNew, false, startText, services_);
  }
}

void CommandSurfaces::createTray() {
  if (tray_) tray_->create();
}

void CommandSurfaces::endTray() {
  if (tray_) tray_->end();
}

bool CommandSurfaces::hideToTray() {
  if (!tray_) return false;
  tray_->hideToTray();
  return true;
}

void CommandSurfaces::trayText(const std::string& text) {
  if (tray_) tray_->setText(text);
}

void CommandSurfaces::buildBar() {
  if (!frame_ || buttonBar_) return;
  menuBar_->initiate();
  ButtonBarEvents events;
  events.pressed = [this](CommandId id) { frame_->runCommand(id); };
  events.dropDown = [this](int number, wxWindow* button) { menuSearch(number, button); };
  events.status = [this](const std::string& text) { showStatus(text); };
  buttonBar_ = new ButtonBar(frame_, buttonBarTable(ctx_.settings.LS_LAN), std::move(events));
  frame_->setButtonBar(buttonBar_);
  // The drop-down menus open on the bar, which gets their highlights.
  buttonBar_->Bind(wxEVT_MENU_HIGHLIGHT, &CommandSurfaces::onHighlight, this);
  buttonBar_->Bind(wxEVT_MENU_CLOSE, [this](wxMenuEvent&) { showStatus(""); });
}

std::unique_ptr<TMenu> CommandSurfaces::popupOf(const std::vector<MenuEntry>& entries,
                                                std::uint32_t recno) {
  auto menu = std::make_unique<TMenu>(true);
  fillMenu(
      *menu, entries, [this, recno](CommandId id) { frame_->runCommand(id, recno); },
      [this, recno](EnableRule rule) { return isEnabled(rule, facts(recno)); });
  return menu;
}

void CommandSurfaces::rightClick(int, int, std::uint32_t recno) {
  if (!frame_) return;
  std::unique_ptr<TMenu> menu = popupOf(contextMenuTable(), recno);
  const wxPoint at = frame_->ScreenToClient(wxGetMousePosition());
  aroundContextMenu(frame_->env(), [&] { menu->activate(at.y, at.x, frame_); });
}

void CommandSurfaces::menuSearch(int number, wxWindow* button) {
  if (!frame_ || !button) return;
  std::unique_ptr<TMenu> menu = popupOf(dropDownTable(number, ctx_.settings.LS_LAN), 0);
  const wxRect r = button->GetRect();
  menu->activate(r.GetBottom() + 2, r.GetLeft(), button->GetParent());
}

}  // namespace zrv
