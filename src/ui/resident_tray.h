// The program's tray icon and what it does: a left press shows or hides the main window, a
// right press opens the tray menu (MENUTRAY), the tooltip names the next appointment. It also
// hides the window to the tray for the "hide" commands. Without a notification area the
// window is minimised instead of hidden, and when the area's host ends while the window is
// hidden the window comes back, so that the program stays reachable.
#pragma once

#include <functional>
#include <memory>
#include <string>

class wxMenu;
class wxShowEvent;
class wxIconizeEvent;

namespace zrv {

struct Context;
class MainFrame;
class TTrayIcon;
class TrayHostWatch;

// Commands of the tray menu that belong to the command layer.
struct TrayMenuActions {
  std::function<void()> about;  // "Über Zorvane": the about box, then the next appointment
  std::function<void()> quit;   // "&Zorvane beenden": close the main window the normal way
};

// Ids of the tray menu's entries.
enum TrayMenuId { kTrayAbout = 6100, kTrayOpen, kTrayHide, kTrayQuit };

class ResidentTray {
 public:
  // Made once the window had its first display. `frame` must outlive this object, or end()
  // must have been called while it still existed.
  ResidentTray(MainFrame& frame, Context& ctx, TrayMenuActions actions);
  ~ResidentTray();
  ResidentTray(const ResidentTray&) = delete;
  ResidentTray& operator=(const ResidentTray&) = delete;

  // The window's first display: the icon appears with the tooltip CRELEASE.
  void create();
  // QLEXIT: the icon goes; call it while the window still exists.
  void end();
  // After an error the program goes on with: the icon comes back as it was before end().
  void restart();
  // The tooltip (the next appointment); kept until the icon exists.
  void setText(const std::string& text);

  // Left press on the icon: hides a window that is on screen, shows one that is not.
  void toggle();
  // "Terminplaner &öffnen": shows the window in its normal size.
  void open(const char* logPlace, const char* logText);
  // "&Verstecken", "Terminplaner &verstecken": hides the window (minimises it without a
  // notification area) and sets LS_WNDHIDDEN.
  void hide();
  // The command "hide to tray": hidden with the setting InTray, else minimised.
  void hideToTray();

  // Logs once per run that there is no notification area and the window is minimised instead.
  void noteNoTray();
  // The host of the notification area ended or came back: a window hidden in the tray comes
  // back on screen when the host is gone, and the icon is made anew when a host is there again.
  void trayHostChanged();

  // MENUTRAY, as shown by a right press (the caller owns it).
  wxMenu* buildMenu();
  // Whether the window is on screen (shown and not minimised).
  bool windowVisible() const;
  // Whether hiding really hides: the desktop shows a notification area.
  bool trayUsable() const;
  TTrayIcon* icon() const { return icon_.get(); }

 private:
  void showWindow();
  void onShow(wxShowEvent& event);
  void onIconize(wxIconizeEvent& event);
  void onMenu(int id);

  MainFrame& frame_;
  Context& ctx_;
  TrayMenuActions actions_;
  std::unique_ptr<TTrayIcon> icon_;
  std::string text_;
  bool noTrayLogged_ = false;
  bool ended_ = false;
  bool hostThere_;  // the notification area's host was there when last looked at
  bool offScreen_;  // hidden in the tray (not minimised)
  std::unique_ptr<TrayHostWatch> hostWatch_;
};

}  // namespace zrv
