// The main window's command surfaces: the menu bar, the button bar, the bar's drop-down menus
// and the list's context menu, built from the command tables; every entry runs its command
// through MainFrame::runCommand. It is the program's MainWindowParts.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "commands/menu_tables.h"
#include "store/appointments/appointment.h"
#include "ui/main_frame.h"

class wxMenuEvent;
class wxWindow;

namespace zrv {

class ButtonBar;
class ResidentTray;
class TMenu;
class WindowServices;

class CommandSurfaces : public MainWindowParts {
 public:
  // `services` (the editor's calendar, help book, file chooser and message boxes) must outlive
  // the surfaces.
  CommandSurfaces(Context& ctx, WindowServices& services);
  ~CommandSurfaces() override;

  // The window the surfaces belong to; its menu bar is built now.
  void setFrame(MainFrame* frame);
  // The tray icon, made after the window; null: no tray, hiding minimises.
  void setTray(ResidentTray* tray) { tray_ = tray; }

  // MainWindowParts
  void editTermin(wxWindow* owner, std::uint32_t recno, bool isNew,
                  const std::string& startText) override;
  void rightClick(int row, int column, std::uint32_t recno) override;
  void createTray() override;
  void buildBar() override;
  void endTray() override;
  bool hideToTray() override;
  void trayText(const std::string& text) override;

  // The drop-down menu `number` (1 views, 2 settings) under `button`.
  void menuSearch(int number, wxWindow* button);

  TMenu* menuBar() const { return menuBar_.get(); }
  ButtonBar* buttonBar() const { return buttonBar_; }

 private:
  MenuFacts facts(std::uint32_t recno) const;
  std::unique_ptr<TMenu> popupOf(const std::vector<MenuEntry>& entries, std::uint32_t recno);
  void bindMenuEvents();
  void showStatus(const std::string& text);
  void onHighlight(wxMenuEvent& event);

  Context& ctx_;
  MainFrame* frame_ = nullptr;
  ResidentTray* tray_ = nullptr;  // owned by the program
  std::unique_ptr<TMenu> menuBar_;
  ButtonBar* buttonBar_ = nullptr;             // owned by the frame
  mutable std::optional<Appointment> record_;  // the record the rules look at
  WindowServices& services_;
};

}  // namespace zrv
