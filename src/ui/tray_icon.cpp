#include "ui/tray_icon.h"

#include <wx/menu.h>
#include <wx/utils.h>
#include <wx/window.h>

namespace zrv {

TTrayIcon::TTrayIcon(wxWindow* owner, wxIconBundle icon, std::string caption, bool show,
                     TrayCallbacks callbacks)
    : owner_(owner),
      icon_(std::move(icon)),
      caption_(std::move(caption)),
      callbacks_(std::move(callbacks)) {
  Bind(wxEVT_TASKBAR_LEFT_DOWN, [this](auto& e) { command(e, callbacks_.lClicked); });
  Bind(wxEVT_TASKBAR_RIGHT_DOWN, [this](auto& e) { command(e, callbacks_.rClicked); });
  Bind(wxEVT_TASKBAR_MOVE, [this](auto& e) { command(e, callbacks_.mMoved); });
  Bind(wxEVT_TASKBAR_LEFT_DCLICK, [this](auto& e) { command(e, callbacks_.lDblClick); });
  Bind(wxEVT_TASKBAR_LEFT_UP, [this](auto& e) { command(e, callbacks_.lButtonUp); });
  Bind(wxEVT_TASKBAR_RIGHT_UP, [this](auto& e) { command(e, callbacks_.rButtonUp); });
  if (owner_ && show) Show();
}

TTrayIcon::~TTrayIcon() {
  End();
}

void TTrayIcon::Show() {
  if (!owner_ || ended_) return;
  // The tooltip carries one blank after the text, as the notification record always did.
  shown_ = SetIcon(wxBitmapBundle::FromIconBundle(icon_), wxString::FromUTF8(caption_ + " "));
}

void TTrayIcon::Hide() {
  if (shown_) RemoveIcon();
  shown_ = false;
}

void TTrayIcon::setIcon(wxIconBundle icon) {
  icon_ = std::move(icon);
  if (shown_) Show();  // SetIcon replaces the shown icon in place
}

void TTrayIcon::SetText(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  if (shown_) Show();
}

bool TTrayIcon::End() {
  Hide();
  ended_ = true;
  return true;
}

wxMenu* TTrayIcon::CreatePopupMenu() {
  return callbacks_.menu ? callbacks_.menu() : nullptr;
}

// The callback gets the cursor's place in the owner window; the event goes on to wx's own
// handling (the right button's menu) in every case.
void TTrayIcon::command(wxTaskBarIconEvent& event, const TrayCallback& callback) {
  event.Skip();
  if (!callback || !owner_) return;
  const wxPoint p = owner_->ScreenToClient(wxGetMousePosition());
  callback(p.x, p.y);
}

}  // namespace zrv
