// TTrayIcon: an icon in the desktop's notification area (wx's task bar icon) that hands the
// mouse messages to callbacks with the cursor's place in the owner window, shows the owner's
// tray menu, and is removed and added again when its icon or tooltip changes.
#pragma once

#include <wx/iconbndl.h>
#include <wx/taskbar.h>

#include <functional>
#include <string>

namespace zrv {

// A callback with the cursor's place in the owner window's client area (x, y).
using TrayCallback = std::function<void(int x, int y)>;

struct TrayCallbacks {
  TrayCallback lClicked;   // left button pressed
  TrayCallback rClicked;   // right button pressed (the menu comes from `menu`)
  TrayCallback mMoved;     // mouse moved over the icon
  TrayCallback lDblClick;  // left double click
  TrayCallback lButtonUp;  // left button released
  TrayCallback rButtonUp;  // right button released
  // The pop-up menu of a right click (owned by the icon once returned); null: none.
  std::function<wxMenu*()> menu;
};

class TTrayIcon : public wxTaskBarIcon {
 public:
  // New: `owner` receives the menu's commands through the callbacks; `show` puts the icon into
  // the notification area at once. Without an owner nothing is shown (the stop message is the
  // caller's: a tray icon needs a main window).
  TTrayIcon(wxWindow* owner, wxIconBundle icon, std::string caption, bool show,
            TrayCallbacks callbacks);
  ~TTrayIcon() override;

  // Show/Hide: adds the icon to the notification area or removes it.
  void Show();
  void Hide();
  // SetIcon, SetText: a new icon or tooltip; a shown icon is removed and added again.
  void setIcon(wxIconBundle icon);
  void SetText(const std::string& caption);
  // End: removes the icon for good (at exit). True.
  bool End();

  bool shown() const { return shown_; }
  const std::string& caption() const { return caption_; }
  // Whether the desktop offers a notification area now.
  static bool hostAvailable() { return wxTaskBarIcon::IsAvailable(); }

 protected:
  wxMenu* CreatePopupMenu() override;

 private:
  void command(wxTaskBarIconEvent& event, const TrayCallback& callback);

  wxWindow* owner_;
  wxIconBundle icon_;
  std::string caption_;
  TrayCallbacks callbacks_;
  bool shown_ = false;
  bool ended_ = false;
};

}  // namespace zrv
