// The resident main window: placed at the saved rectangle, titled with the release, sizable
// but without minimise and maximise boxes, with the message bar along its bottom and one
// content panel (the appointment list or the week overview) that buildDlg makes for the
// window's size. It is the reminder engine's main-window port and the owner of every dialog.
#pragma once

#include <wx/frame.h>
#include <wx/timer.h>

#include <cstdint>
#include <optional>
#include <string>

#include "app/coords.h"
#include "calendar/calendar_commands.h"
#include "commands/commands.h"
#include "editor/editor_commands.h"
#include "ports/command_window.h"
#include "ports/main_window_port.h"
#include "print/period_dialog.h"
#include "print/print_port_wx.h"
#include "reminder/view_rows.h"

namespace zrv {

class CliChangeSource;

struct Context;
struct ReminderEnv;
class AppointmentGrid;
class MainStatusBar;
class WeekPanel;

inline constexpr int kModeList = 1;  // display mode 1: the appointment list
inline constexpr int kModeWeek = 2;  // display mode 2: the week overview

// Where the window hands over to parts built elsewhere. NoMainWindowParts is the explicit
// choice of none of them.
class MainWindowParts {
 public:
  virtual ~MainWindowParts() = default;
  // The appointment editor on `recno` (0 with `isNew`: a new appointment whose text starts as
  // `startText`).
  virtual void editTermin(wxWindow* owner, std::uint32_t recno, bool isNew,
                          const std::string& startText) = 0;
  // A right click in the list on row, column of the appointment `recno`: the context menu.
  virtual void rightClick(int row, int column, std::uint32_t recno) = 0;
  // The window's first display, before the view is chosen: the tray icon.
  virtual void createTray() = 0;
  // Then, after the view is chosen: the button bar and the network menu items.
  virtual void buildBar() = 0;
  // The window closes: the tray icon ends.
  virtual void endTray() = 0;
  // "Hide" with InTray on: into the tray. False when there is no tray to hide in; the window
  // is minimised then.
  virtual bool hideToTray() { return false; }
  // The next appointment's text for the tray icon's tooltip.
  virtual void trayText(const std::string&) {}
};

// None of the parts: every step does nothing.
class NoMainWindowParts : public MainWindowParts {
 public:
  void editTermin(wxWindow*, std::uint32_t, bool, const std::string&) override {}
  void rightClick(int, int, std::uint32_t) override {}
  void createTray() override {}
  void buildBar() override {}
  void endTray() override {}
};

// The one NoMainWindowParts of the program.
MainWindowParts& noMainWindowParts();

class MainFrame : public wxFrame,
                  public MainWindowPort,
                  public CommandWindow,
                  public AppointmentEditor,
                  public CalendarViewer {
 public:
  // Counts the first buildDlg calls that build no list: 2, or 3 when the program starts
  // hidden (ctx.run.LS_WNDHIDDEN, so chooseActivation must have run).
  // `parts` must outlive the window.
  MainFrame(Context& ctx, const WindowRect& rect, MainWindowParts& parts = noMainWindowParts());
  ~MainFrame() override;

  MainStatusBar* messageBar() const { return bar_; }
  ReminderEnv* env() const { return env_; }
  // The button bar along the top; the content panel takes the client area below it.
  void setButtonBar(wxWindow* bar);

  // Hands the window the reminder engine once DTER is open; null while no table is open (the
  // list stays empty and no due check runs). `env` must outlive the window or be detached.
  void attach(ReminderEnv* env);
  // The table in use changed (useTable): the list or the week overview is built anew over
  // `env`'s table. A window that had no table yet starts its due check now.
  void followTable(ReminderEnv* env);

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
  // Makes `view` current and finds its next appointment (logbook tag `caller`).
  void switchView(int view, const char* caller);
  // A key pressed in the list: Insert adds an appointment, Delete deletes the current one.
  void checkLbxKeys(int keyCode);
  // Runs a command of the menus, the bar, the context menu (on `recno`) or the list's keys.
  bool runCommand(CommandId id, std::uint32_t recno = 0);
  // The command line's changes run as the command CommandLineChange, from `source`.
  void registerCommandLine(CliChangeSource& source);
  // The window's commands: the main window's own, the editor's and the calendar's are
  // registered; a later subsystem registers its own here (Commands::add(id, action)).
  Commands& commands() { return commands_; }
  // The settings changed: the title (network mode) and the list or the week overview (its days)
  // are made anew.
  void settingsChanged();
  // Writes the window's position now if a move or resize is still waiting to be saved.
  void saveCoordsNow();
  bool Layout() override;

 protected:
  void DoSetSize(int x, int y, int width, int height, int sizeFlags) override;

 public:
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

  // CommandWindow
  void leaveWeekOverview() override { checkDlgArt(); }
  void showWeekOverview() override;
  void showAbout() override;
  void copyToClipboard() override;
  void pasteFromClipboard() override;
  void moveInList(ListMove move) override;
  void hideWindow() override;
  void closeWindow() override { Close(); }
  std::string chooseTableFile(TableFileChoice choice) override;

  // AppointmentEditor
  void editAppointment(std::uint32_t recno, bool isNew) override { edit(recno, isNew); }
  // CalendarViewer
  void showCalendar() override;

 private:
  // The client area below the button bar.
  wxRect contentRect() const;
  void showList();
  void fitList();
  void buildListPanel();
  void showWeek();
  void dropPanel();
  void activateList();
  void startCycle();
  void edit(std::uint32_t recno, bool isNew);
  void scheduleCoords(const char* caller);
  void saveCoords();
  void keepWantedPlace();
  void onSize(wxSizeEvent& event);
  void onMove(wxMoveEvent& event);
  void onIconize(wxIconizeEvent& event);
  void onClose(wxCloseEvent& event);

  Context& ctx_;
  MainWindowParts& parts_;
  Commands commands_ = mainWindowCommands();
  ReminderEnv* env_ = nullptr;
  MainStatusBar* bar_ = nullptr;
  ViewRows rows_;
  wxWindow* buttonBar_ = nullptr;
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
  std::optional<wxPoint> wantedPlace_;  // the saved place, until the window is shown there
  wxTimer placeTimer_;
  int placeTries_ = 0;
  std::string coordsCaller_;
  std::string trayTooltip_;
  WxPrintPort printer_{this};
  WxPrintPeriod printPeriod_;
};

}  // namespace zrv
