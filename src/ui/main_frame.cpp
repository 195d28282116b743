#include "ui/main_frame.h"

#include <wx/display.h>

#include <wx/filedlg.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "app/context.h"
#include "app/help.h"
#include "app/startup.h"
#include "calendar/calendar_window.h"
#include "print/print_commands.h"
#include "reminder/alert_actions.h"
#include "reminder/clipboard.h"
#include "reminder/due_check.h"
#include "reminder/missed_appointments.h"
#include "reminder/missed_summary.h"
#include "reminder/next_appointment.h"
#include "reminder/reminder_env.h"
#include "reminder/views.h"
#include "reminder/week_overview.h"
#include "remote/cli_commands.h"
#include "store/appointments/appointment_table.h"
#include "store/base/clock.h"
#include "store/base/logbook.h"
#include "ui/about_box.h"
#include "ui/appointment_grid.h"
#include "ui/due_timer.h"
#include "ui/main_status_bar.h"
#include "ui/stop_sequence.h"
#include "ui/week_panel.h"
#include "ui/wx_clipboard.h"
#include "widgets/bitmaps.h"
#include "widgets/call_after.h"
#include "widgets/dialog_look.h"
#include "widgets/german_locale.h"

namespace zrv {
namespace {

// A burst of move or resize events is saved once, this long after its last event.
constexpr int kCoordsDelayMs = 300;
// How long after its first display the window manager's placing of the window is corrected.
constexpr int kPlacingMs = 1500;
constexpr const char* kListStatusText = "Rechte Maustaste für Menü";

wxString titleOf(const Context& ctx) {
  return wxString::FromUTF8(ctx.CRELEASE + (ctx.settings.LS_LAN ? " Lan" : ""));
}

// The saved rectangle, moved and cut to lie on the screen.
wxRect rectOf(const WindowRect& saved) {
  const wxRect screen = wxDisplay(0u).GetClientArea();
  WindowGeometry g = geometryOf(saved);
  g.x -= screen.x;
  g.y -= screen.y;
  g = fitOnScreen(g, screen.width, screen.height);
  return wxRect(g.x + screen.x, g.y + screen.y, g.width, g.height);
}

}  // namespace

MainWindowParts& noMainWindowParts() {
  static NoMainWindowParts none;
  return none;
}

MainFrame::MainFrame(Context& ctx, const WindowRect& rect, MainWindowParts& parts)
    : wxFrame(nullptr, wxID_ANY, titleOf(ctx), rectOf(rect).GetPosition(), rectOf(rect).GetSize(),
              wxSYSTEM_MENU | wxCAPTION | wxCLOSE_BOX | wxRESIZE_BORDER | wxCLIP_CHILDREN,
              "zorvane"),
      ctx_(ctx),
      parts_(parts),
      startupCounter_(ctx.run.LS_WNDHIDDEN ? 3 : 2),
      printPeriod_(this, ctx.ui, entryColours(ctx.lists)) {
  SetIcons(programIcons());
  SetBackgroundColour(*wxWHITE);
  SetForegroundColour(*wxBLACK);
  bar_ = new MainStatusBar(this, ctx_.clock);
  SetStatusBar(bar_);
  bar_->setPane(StatusPane::Week, "KW " + ctx_.run.CN_WEEK);
  bar_->setPane(StatusPane::File, ctx_.settings.CN_FILE);
  bar_->setPane(StatusPane::View, viewText(kViewCurrent));
  bar_->setLampColour(kLampPaused);

  wantedPlace_ = GetPosition();
  coordsTimer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { saveCoords(); });
  // The window manager places the window when it is first shown; after that a move is the user's.
  placeTimer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { wantedPlace_.reset(); });
  Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
    event.Skip();
    if (event.IsShown() && wantedPlace_ && !placeTimer_.IsRunning()) {
      placeTimer_.StartOnce(kPlacingMs);
    }
  });
  Bind(wxEVT_SIZE, &MainFrame::onSize, this);
  Bind(wxEVT_MOVE, &MainFrame::onMove, this);
  Bind(wxEVT_ICONIZE, &MainFrame::onIconize, this);
  Bind(wxEVT_CLOSE_WINDOW, &MainFrame::onClose, this);
  registerEditorCommands(commands_, *this);
  registerCalendarCommands(commands_, *this);
  registerPrintCommands(commands_, {printer_, printPeriod_});
  // The window's creation is its first resize.
  buildDlg();
}

MainFrame::~MainFrame() {
  coordsTimer_.Stop();
  placeTimer_.Stop();
  dropPanel();  // while the message bar its focus handlers write to still exists
}

void MainFrame::attach(ReminderEnv* env) {
  dropPanel();
  env_ = env;
  rows_ = ViewRows();
}

void MainFrame::followTable(ReminderEnv* env) {
  attach(env);
  if (!initialised_ || !env_) return;
  if (displayMode_ == kModeWeek) {
    showWeek();
  } else if (startupCounter_ == 0) {
    buildListPanel();
    fitList();
    grid_->reload();
  }
  if (!cycleStarted_) startCycle();
}

void MainFrame::settingsChanged() {
  SetTitle(titleOf(ctx_));
  followTable(env_);
}

void MainFrame::initialise() {
  if (initialised_) return;
  initialised_ = true;
  parts_.createTray();
  if (env_) setFilter(*env_, kViewCurrent);
  parts_.buildBar();
  buildDlg();
  // A window that starts hidden builds its list only when it is first shown; the reminder
  // must run from the start all the same.
  if (!cycleStarted_) startCycle();
}

void MainFrame::buildDlg() {
  builtFor_ = GetClientSize();
  if (startupCounter_ > 0) --startupCounter_;
  if (displayMode_ == kModeList && startupCounter_ == 0) {
    showList();
  } else if (displayMode_ == kModeWeek) {
    showWeek();
  }
}

// The list is built once and laid out anew for every size; building it runs its activation
// (missed appointments, next appointment, timer), a new size only fits the columns, so that a
// resize keeps the user's place in the list.
void MainFrame::showList() {
  ctx_.help.setTopic(help_topic::kMain);
  const bool created = !grid_;
  if (created) buildListPanel();
  fitList();
  if (!created) return;
  grid_->SetFocus();
  // The activation finds the next appointment, which fills the list; without it the list is
  // filled here.
  if (env_ && openModalWindows() == 0) {
    activateList();
  } else {
    grid_->reload();
  }
}

void MainFrame::fitList() {
  panel_->SetSize(contentRect());
  panel_->Layout();
  grid_->fitTextColumn();
}

void MainFrame::buildListPanel() {
  dropPanel();
  auto* panel = new wxPanel(this, wxID_ANY, contentRect().GetPosition(), contentRect().GetSize(),
                            wxBORDER_NONE | wxTAB_TRAVERSAL | wxWANTS_CHARS);
  panel->SetFont(smallFont());
  ListEvents events;
  events.edit = [this](const char* tag) {
    runCommand(std::string_view(tag) == "DlgTab" ? CommandId::ListEditTab
                                                 : CommandId::ListEditButton);
  };
  events.key = [this](int key) { checkLbxKeys(key); };
  events.rightClick = [this](int row, int column) {
    parts_.rightClick(row, column, rows_.recnoAt(row));
  };
  grid_ = new AppointmentGrid(panel, rows_, env_ ? &env_->DTER : nullptr, std::move(events));
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(grid_, 1, wxEXPAND);
  panel->SetSizer(sizer);
  // The list's own line in the message bar while it has the keyboard.
  grid_->GetGridWindow()->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
    bar_->setText(kListStatusText);
    event.Skip();
  });
  grid_->GetGridWindow()->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
    if (!IsBeingDeleted()) bar_->setText("");
    event.Skip();
  });
  panel_ = panel;
}

void MainFrame::showWeek() {
  dropPanel();
  ctx_.help.setTopic(help_topic::kWeek);
  const Date monday = weekStart(ctx_.clock.today());
  WeekTexts texts;
  if (env_) {
    texts = collectWeekTexts(env_->DTER, monday, ctx_.settings.NS_WEEKSHOW);
    if (!texts.status) ctx_.log.log("Wochenübersicht", texts.status.message());
  }
  week_ = new WeekPanel(this, dayCaptions(monday), texts.days, [this] { checkDlgArt(); });
  week_->SetPosition(contentRect().GetPosition());
  week_->layoutFor(contentRect().GetSize());
  panel_ = week_;
  week_->textBox(0)->SetFocus();
}

void MainFrame::setButtonBar(wxWindow* bar) {
  buttonBar_ = bar;
  Layout();
}

wxRect MainFrame::contentRect() const {
  const wxSize client = GetClientSize();
  const int top = buttonBar_ ? buttonBar_->GetSize().y : 0;
  return wxRect(0, top, client.x, std::max(0, client.y - top));
}

// The bar along the top, the content panel below it; never the frame's own filling of a
// single child, which would stretch the bar while the panel is being rebuilt.
bool MainFrame::Layout() {
  if (buttonBar_) buttonBar_->SetSize(0, 0, GetClientSize().x, buttonBar_->GetSize().y);
  if (panel_) panel_->SetSize(contentRect());
  return true;
}

void MainFrame::dropPanel() {
  if (panel_) panel_->Destroy();
  panel_ = nullptr;
  grid_ = nullptr;
  week_ = nullptr;
  bar_->setText("");
}

void MainFrame::activateList() {
  // A resize while a modal window is open changes nothing: whoever opened it resumes the
  // cycle afterwards.
  if (!env_ || openModalWindows() > 0) return;
  startCycle();
}

void MainFrame::startCycle() {
  if (!env_) return;
  // After the start, what was missed while the program did not run comes in one window (the
  // cycle counts as started first: the window's own event loop must not start it again).
  const bool first = !cycleStarted_;
  cycleStarted_ = true;
  if (first) offerMissedSummary(*env_);
  chkOlds(*env_);
  chkNext(*env_, "DlgAfterActivate");
  qlSwitchTimer(*env_, true);
}

bool MainFrame::checkDlgArt() {
  if (displayMode_ == kModeWeek) {
    displayMode_ = kModeList;
    dropPanel();
    if (env_) (void)env_->DTER.goTop();
    buildDlg();
  }
  return true;
}

void MainFrame::showWeekOverview() {
  if (env_) setFilter(*env_, kViewCurrent);
  displayMode_ = kModeWeek;
  dropPanel();
  buildDlg();
}

void MainFrame::switchView(int view, const char* caller) {
  checkDlgArt();
  if (!env_) return;
  setFilter(*env_, view);
  chkNext(*env_, caller);
}

void MainFrame::edit(std::uint32_t recno, bool isNew) {
  parts_.editTermin(this, recno, isNew, "");
}

void MainFrame::showCalendar() {
  if (!env_) return;
  ScopedHelpTopic topic(ctx_.help, help_topic::kCalendar, help_topic::kMain);
  showCalendarView(this, *env_);
}

void MainFrame::showAbout() {
  aboutInfo(this, ctx_.CRELEASE, false);
}

void MainFrame::copyToClipboard() {
  WxClipboard clipboard;
  if (env_) putClipboard(*env_, clipboard);
}

void MainFrame::pasteFromClipboard() {
  WxClipboard clipboard;
  if (!env_) return;
  getClipboard(*env_, clipboard,
               [this](const std::string& text) { parts_.editTermin(this, 0, true, text); });
}

void MainFrame::registerCommandLine(CliChangeSource& source) {
  registerCommandLineCommands(commands_, source);
}

bool MainFrame::runCommand(CommandId id, std::uint32_t recno) {
  CommandScope scope{ctx_, env_, *this, recno};
  return commands_.run(id, scope);
}

void MainFrame::checkLbxKeys(int keyCode) {
  if (keyCode == WXK_INSERT) {
    runCommand(CommandId::ListInsertKey);
  } else if (keyCode == WXK_DELETE) {
    runCommand(CommandId::ListDeleteKey);
  }
}

void MainFrame::moveInList(ListMove move) {
  if (!grid_) return;
  const int rows = grid_->GetNumberRows();
  if (rows == 0) return;
  const int row = grid_->currentRow();
  switch (move) {
    case ListMove::First:
      grid_->goToRow(0);
      break;
    case ListMove::Previous:
      grid_->goToRow(std::max(0, row - 1));
      break;
    case ListMove::Next:
      grid_->goToRow(std::min(rows - 1, row + 1));
      break;
    case ListMove::Last:
      grid_->takeAllRows();
      grid_->goToRow(grid_->GetNumberRows() - 1);
      break;
  }
  grid_->SetFocus();
}

// With InTray on the tray takes the window; without a tray to hide in it is minimised, so
// that it can always be reached again.
void MainFrame::hideWindow() {
  if (ctx_.settings.LS_INTRAY && parts_.hideToTray()) return;
  Iconize(true);
}

std::string MainFrame::chooseTableFile(TableFileChoice choice) {
  const bool isNew = choice == TableFileChoice::New;
  const wxString title = isNew                             ? wxS("Neue Termin-Datei anlegen")
                         : choice == TableFileChoice::Open ? wxS("Termin-Datei öffnen")
                                                           : wxS("Termin-Datei löschen");
  // Starting in the program directory; the current directory stays as it is.
  loadToolkitTexts();
  wxFileDialog dialog(this, title, wxString::FromUTF8(ctx_.CRUNIN.string()), "",
                      wxS("Termindatei (*.TER)|*.TER;*.ter;*.Ter"),
                      isNew ? wxFD_SAVE : wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return "";
  return dialog.GetPath().utf8_string();
}

void MainFrame::refresh() {
  Refresh();
  Update();
}

void MainFrame::showOnTop() {
  if (IsIconized()) Iconize(false);
  Show();
  Raise();
}

void MainFrame::listToFirstRow() {
  if (!grid_) return;
  grid_->reload();
  if (IsShown() && !IsIconized()) grid_->SetFocus();
}

void MainFrame::setTrayTooltip(const std::string& text) {
  trayTooltip_ = text;
  parts_.trayText(text);
}

// Pending messages run as soon as the tick returns to the event loop; running them from inside
// the tick would let a user command start while the due check is still at work.
void MainFrame::processPendingMessages() {}

void MainFrame::scheduleCoords(const char* caller) {
  coordsCaller_ = caller;
  coordsTimer_.StartOnce(kCoordsDelayMs);
}

void MainFrame::saveCoordsNow() {
  if (!coordsTimer_.IsRunning()) return;
  coordsTimer_.Stop();
  saveCoords();
}

// The rectangle with the window manager's frame, as the window is created with it again. A window
// out of sight (hidden in the tray, minimised) has no place of its own: while it is hidden the
// toolkit reports it without its frame.
void MainFrame::saveCoords() {
  if (!IsShown() || IsIconized()) return;
  const wxRect r = GetRect();
  putCoords(ctx_, WindowGeometry{r.x, r.y, r.width, r.height}, coordsCaller_);
}

void MainFrame::onSize(wxSizeEvent& event) {
  event.Skip();
  if (!initialised_) return;
  scheduleCoords("Resize");
  if (IsIconized() || GetClientSize() == builtFor_ || rebuildPending_) return;
  rebuildPending_ = true;
  callAfter(*this, [this] {
    rebuildPending_ = false;
    buildDlg();
  });
}

void MainFrame::onMove(wxMoveEvent& event) {
  event.Skip();
  if (wantedPlace_ && IsShown()) keepWantedPlace();
  if (initialised_) scheduleCoords("OnMove");
}

// The window manager may put a new window where it likes (openbox at the screen's corner) until
// it is shown; then it is moved to its saved place once more.
void MainFrame::keepWantedPlace() {
  if (GetPosition() == *wantedPlace_ || ++placeTries_ > 3) {
    wantedPlace_.reset();
    return;
  }
  callAfter(*this, [this] {
    if (!wantedPlace_) return;
    const wxPoint place = *wantedPlace_;
    Move(place);
    wantedPlace_ = place;  // still wanted until the window manager reports it there
  });
}

// A place or size set by the program itself is the one it wants from now on.
void MainFrame::DoSetSize(int x, int y, int width, int height, int sizeFlags) {
  wantedPlace_.reset();
  wxFrame::DoSetSize(x, y, width, height, sizeFlags);
}

void MainFrame::onIconize(wxIconizeEvent& event) {
  event.Skip();
  // A window that started hidden builds its list when it is first shown.
  if (!event.IsIconized() && initialised_ && !panel_) callAfter(*this, [this] { buildDlg(); });
}

void MainFrame::onClose(wxCloseEvent& event) {
  // Work in a modal window or a wait goes on with this window afterwards.
  if (event.CanVeto() && workInNestedLoop()) {
    event.Veto();
    return;
  }
  saveCoordsNow();
  if (env_) env_->ports.timer.stop();
  qlExit(ctx_);
  parts_.endTray();
  Destroy();
}

}  // namespace zrv
