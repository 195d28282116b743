// The resident main window: placed at the saved rectangle, titled with the release, sizable
// but without minimise and maximise boxes, with the message bar along its bottom and one
// content panel (the appointment list or the week overview) that buildDlg makes for the
// window's size. It is the reminder engine's main-window port and the owner of every dialog.
#pragma once

#include <wx/frame.h>
#include <wx/timer.h>

#include <cstdint>
#include <functional>
#include <string>

#include "app/coords.h"
#include "reminder/main_window_port.h"
#include "reminder/view_rows.h"

namespace zrv {

struct Context;
struct ReminderEnv;
class AppointmentGrid;
class MainStatusBar;
class WeekPanel;

inline constexpr int kModeList = 1;  // display mode 1: the appointment list
inline constexpr int kModeWeek = 2;  // display mode 2: the week overview

// Where the window hands over to parts built elsewhere; an empty hook does nothing.
struct MainWindowSeams {
  // The appointment editor on `recno` (0 with `isNew`: a new appointment). Empty: the stand-in
  // that says editing is not there yet.
  std::function<void(wxWindow* owner, std::uint32_t recno, bool isNew)> editTermin;
  // A right click in the list on row, column of the appointment `recno`: the context menu.
  std::function<void(int row, int column, std::uint32_t recno)> rightClick;
  // The window's first display, before the view is chosen: the tray icon.
  std::function<void()> createTray;
  // Then, after the view is chosen: the button bar and the network menu items.
  std::function<void()> buildBar;
  // The window closes: the tray icon ends.
  std::function<void()> endTray;
  // The next appointment's text for the tray icon's tooltip.
  std::function<void(const std::string& text)> trayText;
};

class MainFrame : public wxFrame, public MainWindowPort {
 public:
  // Counts the first buildDlg calls that build no list: 2, or 3 when the program starts
  // hidden (ctx.run.LS_WNDHIDDEN, so chooseActivation must have run).
  MainFrame(Context& ctx, const WindowRect& rect, MainWindowSeams seams = {});
  ~MainFrame() override;

  MainStatusBar* messageBar() const { return bar_; }

  // Hands the window the reminder engine once DTER is open; null while no table is open (the
  // list stays empty and no due check runs). `env` must outlive the window or be detached.
  void attach(ReminderEnv* env);

  // The window's first display: the tray icon, view 1, the button bar, the content panel; then
  // the due check starts (missed appointments, next appointment, timer), also when the window
  // starts hidden and builds its list only when first shown.
  void initialise();

  // buildDlg: the content panel of the display mode for the window's size. The list's
  // activation looks for missed appointments, finds the next one ("DlgAfterActivate") and
  // resumes the timer.
  void buildDlg();
  // Leaves the week overview for the list, on its first row. True.
  bool checkDlgArt();
  // The week overview, on view 1.
  void showWeekOverview();
  // Makes `view` current and finds its next appointment (logbook tag `caller`).
  void switchView(int view, const char* caller);
  // A key pressed in the list: Insert adds an appointment, Delete deletes the current one.
  void checkLbxKeys(int keyCode);
  // Writes the window's position now if a move or resize is still waiting to be saved.
  void saveCoordsNow();

  int displayMode() const { return displayMode_; }
  AppointmentGrid* grid() const { return grid_; }
  WeekPanel* weekPanel() const { return week_; }
  const ViewRows& rows() const { return rows_; }
  const std::string& trayTooltip() const { return trayTooltip_; }

  // MainWindowPort
  void refresh() override;
  void showOnTop() override;
  void listToFirstRow() override;
  void setTrayTooltip(const std::string& text) override;
  void processPendingMessages() override;

 private:
  void showList();
  void buildListPanel();
  void showWeek();
  void dropPanel();
  void activateList();
  void startCycle();
  void edit(std::uint32_t recno, bool isNew);
  void editCurrent(const char* tag);
  void insertAppointment();
  void deleteAppointment();
  void scheduleCoords(const char* caller);
  void onSize(wxSizeEvent& event);
  void onMove(wxMoveEvent& event);
  void onIconize(wxIconizeEvent& event);
  void onClose(wxCloseEvent& event);

  Context& ctx_;
  MainWindowSeams seams_;
  ReminderEnv* env_ = nullptr;
  MainStatusBar* bar_ = nullptr;
  ViewRows rows_;
  wxWindow* panel_ = nullptr;  // the content panel
  AppointmentGrid* grid_ = nullptr;
  WeekPanel* week_ = nullptr;
  int displayMode_ = kModeList;
  int startupCounter_ = 2;
  bool initialised_ = false;
  bool cycleStarted_ = false;
  bool rebuildPending_ = false;
  wxSize builtFor_;
  wxTimer coordsTimer_;
  std::string coordsCaller_;
  std::string trayTooltip_;
};

}  // namespace zrv
