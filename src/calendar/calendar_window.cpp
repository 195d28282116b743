#include "calendar/calendar_window.h"

#include <wx/dcclient.h>
#include <wx/tooltip.h>
#include <wx/utils.h>

#include "app/context.h"
#include "app/help.h"
#include "calendar/calendar_cell_ctrl.h"
#include "calendar/calendar_look_wx.h"
#include "calendar/legend_window.h"
#include "ports/main_window_port.h"
#include "reminder/reminder_env.h"
#include "reminder/views.h"
#include "store/base/clock.h"
#include "widgets/bitmaps.h"
#include "widgets/dialog_look.h"
#include "widgets/modal_windows.h"
#include "widgets/plain_window_services.h"

namespace zrv {
namespace {

// Layout units of two pixels; the client area holds every control (the legend button reaches
// two pixels past the 180 of the original window).
constexpr int kClientWidth = 91, kClientHeight = 100;
constexpr int kBandWidth = 140, kBandHeight = 15;
constexpr int kFirstDayRow = 28, kDayColumn = 2, kWeekColumn = 79;
constexpr int kCellWidth = 10, kCellHeight = 8;
constexpr int kDialogFontPx = 10, kTodayFontPx = 11;

constexpr const char* kDialogColours = "W*/B";
constexpr const char* kBandColours = "N*/W";
constexpr const char* kWeekColours = "W*+/RB";

struct StepButton {
  CalendarStep step;
  const char* bitmap;
  int row, column, width, height;
  const char* tooltip;
};

// The year buttons: the upper one goes back, the lower one on (their bitmaps point that way).
constexpr std::array<StepButton, 5> kStepButtons{{
    {CalendarStep::kMonthBack, "M_Minus", 3, 0, 5, 8, "vorheriger Monat"},
    {CalendarStep::kToday, "M_Today", 3, 5, 5, 8, "Heute"},
    {CalendarStep::kMonthOn, "M_Plus", 3, 10, 5, 8, "nächster Monat"},
    {CalendarStep::kYearBack, "Y_Plus", 2, 78, 7, 5, "vorheriges Jahr"},
    {CalendarStep::kYearOn, "Y_Minus", 7, 78, 7, 5, "nächstes Jahr"},
}};

struct Heading {
  const char* text;
  int column;
  const char* colours;
};
constexpr std::array<Heading, 8> kHeadings{{
    {"Mo", 2, "N*/BG"},
    {"Di", 13, "N*/BG"},
    {"Mi", 24, "N*/BG"},
    {"Do", 35, "N*/BG"},
    {"Fr", 46, "N*/BG"},
    {"Sa", 57, "N*/BG"},
    {"So", 68, "R*+/BG"},
    {"KW", 79, "W*+/RB"},
}};

wxString utf8(const std::string& s) {
  return wxString::FromUTF8(s);
}

void setTip(wxWindow* w, const std::string& tip) {
  if (tip.empty()) {
    w->UnsetToolTip();
  } else if (!w->GetToolTip() || w->GetToolTip()->GetTip() != utf8(tip)) {
    w->SetToolTip(utf8(tip));
  }
}

wxPoint placeOver(wxWindow* owner) {
  if (!owner) return wxDefaultPosition;
  const wxRect r = owner->GetScreenRect();
  return wxPoint(r.GetLeft() + 150, r.GetTop() + 20);
}

}  // namespace

CalendarWindow::CalendarWindow(wxWindow* owner, const Date& preset, const Clock& clock,
                               MonthSource source, const std::string& caption)
    : wxDialog(owner, wxID_ANY, " " + utf8(caption), placeOver(owner), wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU),
      model_(preset, clock, std::move(source)) {
  if (hasBitmap("KALENDER")) {
    wxIcon icon;
    icon.CopyFromBitmap(bitmapByName("KALENDER"));
    SetIcon(icon);
  }
  build();
  showPage();
  if (owner) {
    keepPlace(this, placeOver(owner));
  } else {
    CentreOnScreen();
  }
}

void CalendarWindow::build() {
  const CalendarColours look = calendarColours(kDialogColours);
  SetBackgroundColour(look.back);
  SetForegroundColour(look.fore);
  SetFont(calendarFont(this, kDialogFontPx));
  SetClientSize(unitsToPx(this, kClientWidth), unitsToPx(this, kClientHeight));
  // The white band behind the title and the buttons belongs to the window's own background.
  Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
    wxPaintDC dc(this);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(calendarColours(kBandColours).back));
    dc.DrawRectangle(unitRect(this, 0, 0, kBandWidth, kBandHeight));
  });
  buildHeader();
  buildGrid();
  // The cells take no keyboard focus: the window itself steers the day it marks.
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
    if (e.HasAnyModifiers() || !pressKey(e.GetKeyCode())) e.Skip();
  });
}

CalendarCellCtrl* CalendarWindow::cell(int row, int column, int width, int height,
                                       std::string_view colours) {
  const CalendarColours c = calendarColours(colours);
  return new CalendarCellCtrl(this, unitRect(this, row, column, width, height), c.fore, c.back);
}

void CalendarWindow::buildHeader() {
  title_ = cell(4, 15, 62, 8, kBandColours);
  for (std::size_t i = 0; i < kStepButtons.size(); ++i) {
    const StepButton& b = kStepButtons[i];
    CalendarCellCtrl* button = cell(b.row, b.column, b.width, b.height, kBandColours);
    button->setBitmap(b.bitmap);
    button->SetToolTip(utf8(b.tooltip));
    button->setAction([this, step = b.step] { navigate(step); });
    steps_[i] = button;
  }
  legendButton_ = cell(2, 85, 6, 10, kBandColours);
  legendButton_->setBitmap("KHilfe");
  legendButton_->SetToolTip(wxS("Legende anzeigen"));
  legendButton_->setAction([this] { legende(); });
}

void CalendarWindow::buildGrid() {
  for (const Heading& h : kHeadings)
    cell(18, h.column, kCellWidth, kCellHeight, h.colours)->setCaption(utf8(h.text));
  const wxColour dayText = *wxBLACK;
  for (int k = 1; k <= kCalendarCells; ++k) {
    const int row = kFirstDayRow + 10 * ((k - 1) / 7);
    const int column = kDayColumn + 11 * ((k - 1) % 7);
    auto* day = new CalendarCellCtrl(this, unitRect(this, row, column, kCellWidth, kCellHeight),
                                     dayText, GetBackgroundColour());
    day->setAction([this, k] { showDay(k); });
    days_[static_cast<std::size_t>(k - 1)] = day;
  }
  for (int r = 1; r <= kCalendarRows; ++r) {
    weeks_[static_cast<std::size_t>(r - 1)] =
        cell(kFirstDayRow + 10 * (r - 1), kWeekColumn, kCellWidth, kCellHeight, kWeekColours);
  }
  todayLine_ = cell(90, 0, 90, 10, "GR+*/B");
  todayLine_->SetFont(calendarFont(this, kTodayFontPx, true));
  todayLine_->setCaption(utf8(todayLine(model_.today())));
}

CalendarCellCtrl* CalendarWindow::stepButton(CalendarStep step) const {
  for (std::size_t i = 0; i < kStepButtons.size(); ++i) {
    if (kStepButtons[i].step == step) return steps_[i];
  }
  return nullptr;
}

void CalendarWindow::showPage() {
  wxBusyCursor wait;
  const MonthPage& page = model_.page();
  title_->setCaption(utf8(page.title));
  for (std::size_t i = 0; i < days_.size(); ++i) {
    const CalendarCell& c = page.cells[i];
    days_[i]->setBitmap(c.bitmap);
    days_[i]->setCaption(utf8(c.caption));
    // A cell outside the month has nothing to tell (no tooltip left from another month).
    setTip(days_[i], c.tooltip);
  }
  for (std::size_t r = 0; r < weeks_.size(); ++r)
    weeks_[r]->setCaption(utf8(page.weeks[r]));
  todayLine_->setCaption(utf8(todayLine(model_.today())));
  showFocus();
}

void CalendarWindow::showFocus() {
  const int focused = model_.focusedCell();
  for (std::size_t i = 0; i < days_.size(); ++i)
    days_[i]->setMarked(static_cast<int>(i) + 1 == focused);
}

void CalendarWindow::navigate(CalendarStep step) {
  if (!model_.navigate(step)) return;
  showPage();
  tellProblem(this);
}

void CalendarWindow::afterMove(const Date& before) {
  const Date& now = model_.focused();
  if (now.month() == before.month() && now.year() == before.year()) {
    showFocus();
    return;
  }
  showPage();
  tellProblem(this);
}

bool CalendarWindow::pressKey(int keyCode) {
  const Date before = model_.focused();
  switch (keyCode) {
    case WXK_ESCAPE:
      finish(wxID_CANCEL);
      return true;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
      model_.chooseFocused();
      finish(wxID_OK);
      return true;
    case WXK_HOME:
    case WXK_NUMPAD_HOME:
      navigate(CalendarStep::kToday);
      return true;
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT:
      if (model_.moveFocus(-1)) afterMove(before);
      return true;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT:
      if (model_.moveFocus(1)) afterMove(before);
      return true;
    case WXK_UP:
    case WXK_NUMPAD_UP:
      if (model_.moveFocus(-7)) afterMove(before);
      return true;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
      if (model_.moveFocus(7)) afterMove(before);
      return true;
    case WXK_PAGEUP:
    case WXK_NUMPAD_PAGEUP:
      if (model_.moveFocusMonths(-1)) afterMove(before);
      return true;
    case WXK_PAGEDOWN:
    case WXK_NUMPAD_PAGEDOWN:
      if (model_.moveFocusMonths(1)) afterMove(before);
      return true;
    default:
      return false;
  }
}

void CalendarWindow::tellProblem(wxWindow* over) {
  const std::string problem = model_.untoldProblem();
  if (problem.empty()) return;
  plainWindowServices().tell(over, Severity::Problem, "Problem",
                             "Die Termine dieses Monats können nicht angezeigt werden: " + problem);
}

void CalendarWindow::showDay(int k) {
  model_.showDay(k);
  finish(wxID_OK);
}

void CalendarWindow::legende() {
  LegendWindow legend(this);
  legend.ShowModal();
}

void CalendarWindow::finish(int code) {
  endDialog(*this, code);
}

Date kalender(wxWindow* owner, Context& ctx, const Date& preset) {
  // F1 opens the calendar's page, also when a date field opened it.
  ScopedHelpTopic topic(ctx.help, help_topic::kCalendar, ctx.help.topic());
  CalendarWindow window(owner, preset, ctx.clock, tableMonthSource(ctx), ctx.CRELEASE);
  window.tellProblem(owner);  // before the calendar shows, not hidden behind it
  window.ShowModal();
  return window.model().result();
}

void showCalendarView(wxWindow* owner, ReminderEnv& env) {
  kalender(owner, env.ctx, env.ctx.clock.today());
  if (setFilter(env, 1)) env.ports.window.listToFirstRow();
}

std::optional<Date> pickDayInCalendar(wxWindow* owner, Context& ctx, const Date& current) {
  const Date picked = kalender(owner, ctx, current);
  if (picked.empty() || picked == current) return std::nullopt;
  return picked;
}

}  // namespace zrv
