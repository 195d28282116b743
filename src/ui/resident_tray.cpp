#include "ui/resident_tray.h"

#include <wx/app.h>
#include <wx/menu.h>

#include "app/context.h"
#include "platform/tray_host.h"
#include "store/base/logbook.h"
#include "ui/appointment_grid.h"
#include "ui/main_frame.h"
#include "ui/tray_icon.h"
#include "widgets/bitmaps.h"
#include "widgets/call_after.h"

namespace zrv {

ResidentTray::ResidentTray(MainFrame& frame, Context& ctx, TrayMenuActions actions)
    : frame_(frame),
      ctx_(ctx),
      actions_(std::move(actions)),
      text_(ctx.CRELEASE),
      hostThere_(TTrayIcon::hostAvailable()),
      offScreen_(!frame.IsShown()) {
  frame_.Bind(wxEVT_SHOW, &ResidentTray::onShow, this);
  frame_.Bind(wxEVT_ICONIZE, &ResidentTray::onIconize, this);
  hostWatch_ = std::make_unique<TrayHostWatch>([this] {
    // Not inside the toolkit's own signal: the icon may be made anew.
    callAfter(frame_, [this] { trayHostChanged(); });
  });
}

// The icon goes with this object, after the event loop; the window is not touched here.
ResidentTray::~ResidentTray() = default;

// A minimised window (no notification area) restored by the user is shown again.
void ResidentTray::onIconize(wxIconizeEvent& event) {
  event.Skip();
  if (event.IsIconized() || ended_) return;
  ctx_.run.LS_WNDSHOWN = true;
  ctx_.run.LS_WNDHIDDEN = false;
}

// However a window hidden in the tray comes back on screen (the icon, the menu, an alert), it
// counts as shown again, and a window that started hidden builds its list now.
void ResidentTray::onShow(wxShowEvent& event) {
  event.Skip();
  if (!event.IsShown() || !offScreen_ || ended_) return;
  offScreen_ = false;
  ctx_.run.LS_WNDSHOWN = true;
  ctx_.run.LS_WNDHIDDEN = false;
  callAfter(frame_, [this] {
    if (!ended_ && !frame_.grid() && frame_.displayMode() == kModeList) frame_.buildDlg();
  });
}

void ResidentTray::create() {
  if (icon_) return;
  TrayCallbacks callbacks;
  callbacks.lClicked = [this](int, int) { toggle(); };
  callbacks.menu = [this] { return buildMenu(); };
  icon_ = std::make_unique<TTrayIcon>(&frame_, programIcons(), text_, true, std::move(callbacks));
  for (int id : {kTrayAbout, kTrayOpen, kTrayHide, kTrayQuit}) {
    icon_->Bind(
        wxEVT_MENU, [this, id](wxCommandEvent&) { onMenu(id); }, id);
  }
}

void ResidentTray::trayHostChanged() {
  const bool there = TTrayIcon::hostAvailable();
  if (ended_ || there == hostThere_) return;
  hostThere_ = there;
  if (!there) {
    ctx_.log.log("TrayIcon", "Der Infobereich ist nicht mehr vorhanden");
    if (!windowVisible()) showWindow();
    return;
  }
  ctx_.log.log("TrayIcon", "Der Infobereich ist wieder vorhanden: das Symbol wird neu angelegt");
  if (!icon_) return;  // the window's first display makes it
  icon_.reset();
  create();
}

void ResidentTray::end() {
  if (ended_) return;
  ended_ = true;
  hostWatch_.reset();
  frame_.Unbind(wxEVT_SHOW, &ResidentTray::onShow, this);
  frame_.Unbind(wxEVT_ICONIZE, &ResidentTray::onIconize, this);
  if (icon_) icon_->End();
}

void ResidentTray::restart() {
  if (!ended_) return;
  ended_ = false;
  frame_.Bind(wxEVT_SHOW, &ResidentTray::onShow, this);
  frame_.Bind(wxEVT_ICONIZE, &ResidentTray::onIconize, this);
  if (!icon_) return;
  // The old icon may be the one whose menu raised the error: it goes after the current event.
  wxPendingDelete.Append(icon_.release());
  create();
}

void ResidentTray::setText(const std::string& text) {
  text_ = text;
  if (icon_) icon_->SetText(text);
}

bool ResidentTray::windowVisible() const {
  return frame_.IsShown() && !frame_.IsIconized();
}

bool ResidentTray::trayUsable() const {
  return TTrayIcon::hostAvailable();
}

// The window's own visibility decides, not a flag: after "verstecken" the first press shows
// the window again.
void ResidentTray::toggle() {
  const bool startedHidden = ctx_.run.NS_WNDSTATE == 3;
  if (!windowVisible()) {
    if (startedHidden) ctx_.log.log("WinInit", "Öffnen");
    showWindow();
  } else {
    if (startedHidden) ctx_.log.log("WinInit", "Schließen");
    hide();
    ctx_.run.LS_WNDSHOWN = false;
  }
}

void ResidentTray::open(const char* logPlace, const char* logText) {
  showWindow();
  ctx_.log.log(logPlace, logText);
}

void ResidentTray::showWindow() {
  if (frame_.IsIconized()) frame_.Iconize(false);
  frame_.Show();
  frame_.Raise();
  ctx_.run.LS_WNDSHOWN = true;
  ctx_.run.LS_WNDHIDDEN = false;
  if (frame_.grid()) frame_.grid()->SetFocus();
}

void ResidentTray::hide() {
  ctx_.run.LS_WNDHIDDEN = true;
  if (trayUsable()) {
    offScreen_ = true;
    frame_.Hide();
  } else {
    noteNoTray();
    frame_.Iconize(true);
  }
}

void ResidentTray::hideToTray() {
  if (ctx_.settings.LS_INTRAY) {
    hide();
  } else {
    frame_.Iconize(true);
  }
}

void ResidentTray::noteNoTray() {
  if (noTrayLogged_) return;
  noTrayLogged_ = true;
  ctx_.log.log("TrayIcon", "Kein Infobereich vorhanden: das Fenster wird minimiert");
}

wxMenu* ResidentTray::buildMenu() {
  auto* menu = new wxMenu;
  menu->Append(kTrayAbout, wxString::FromUTF8("Über Zorvane"));
  menu->AppendSeparator();
  menu->Append(kTrayOpen, wxString::FromUTF8("Terminplaner &öffnen"));
  menu->Append(kTrayHide, wxString::FromUTF8("Terminplaner &verstecken"));
  menu->AppendSeparator();
  menu->Append(kTrayQuit, wxString::FromUTF8("&Zorvane beenden"));
  const bool visible = windowVisible();
  menu->Enable(kTrayOpen, !visible);
  menu->Enable(kTrayHide, visible);
  return menu;
}

void ResidentTray::onMenu(int id) {
  switch (id) {
    case kTrayAbout:
      if (actions_.about) actions_.about();
      break;
    case kTrayOpen:
      open("MenuTray", "Zorvane öffnen");
      break;
    case kTrayHide:
      hide();
      ctx_.log.log("MenuTray", "Zorvane verstecken");
      break;
    case kTrayQuit:
      if (actions_.quit) {
        actions_.quit();
      } else {
        frame_.Close();
      }
      break;
    default:
      break;
  }
}

}  // namespace zrv
