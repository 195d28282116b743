#include "ui/main_status_bar.h"

#include <wx/dcclient.h>
#include <wx/panel.h>

#include "store/base/clock.h"
#include "widgets/dialog_look.h"

namespace zrv {
namespace {

enum Field { kText, kDate, kClock, kWeek, kFile, kView, kLamp, kFieldCount };

// Widths in pixels before high-DPI scaling; date and clock fit their texts in the bar's font.
constexpr int kWeekWidth = 45;
constexpr int kFileWidth = 70;
constexpr int kViewWidth = 60;
constexpr int kLampWidth = 20;
constexpr int kTextMargin = 14;

}  // namespace

int MainStatusBar::fieldOf(StatusPane pane) {
  switch (pane) {
    case StatusPane::Week:
      return kWeek;
    case StatusPane::File:
      return kFile;
    case StatusPane::View:
      return kView;
    case StatusPane::TimerLamp:
      return kLamp;
  }
  return kText;
}

MainStatusBar::MainStatusBar(wxWindow* parent, const Clock& clock)
    : wxStatusBar(parent, wxID_ANY, wxSTB_SIZEGRIP | wxFULL_REPAINT_ON_RESIZE), clock_(clock) {
  SetFont(smallFont());
  wxClientDC dc(this);
  dc.SetFont(GetFont());
  const int dateWidth = dc.GetTextExtent("00.00.0000").x + kTextMargin;
  const int clockWidth = dc.GetTextExtent("00:00").x + kTextMargin;
  const int widths[kFieldCount] = {-1,
                                   dateWidth,
                                   clockWidth,
                                   FromDIP(kWeekWidth),
                                   FromDIP(kFileWidth),
                                   FromDIP(kViewWidth),
                                   FromDIP(kLampWidth)};
  SetFieldsCount(kFieldCount, widths);
  lamp_ = new wxPanel(this, wxID_ANY);
  lamp_->SetBackgroundColour(wxColour(kLampRunning.r, kLampRunning.g, kLampRunning.b));
  lamp_->SetForegroundColour(*wxBLACK);
  placeLamp();
  setText("");
  showDateAndTime();

  clockTimer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
    showDateAndTime();
    scheduleClock();
  });
  scheduleClock();
  Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
    placeLamp();
    event.Skip();
  });
  Bind(wxEVT_LEFT_DOWN, &MainStatusBar::onClick, this);
}

void MainStatusBar::setText(const std::string& text) {
  SetStatusText(wxString::FromUTF8(text.empty() ? kIdleStatusText : text), kText);
}

void MainStatusBar::setPane(StatusPane pane, const std::string& text) {
  if (pane == StatusPane::File) fileName_ = text;
  if (pane == StatusPane::View) viewName_ = text;
  if (pane != StatusPane::TimerLamp) SetStatusText(wxString::FromUTF8(text), fieldOf(pane));
}

void MainStatusBar::setLampColour(Rgb colour) {
  lamp_->SetBackgroundColour(wxColour(colour.r, colour.g, colour.b));
  lamp_->Refresh();
  lamp_->Update();
}

wxString MainStatusBar::paneText(StatusPane pane) const {
  return GetStatusText(fieldOf(pane));
}

wxColour MainStatusBar::lampColour() const {
  return lamp_->GetBackgroundColour();
}

// The clock shows hours and minutes: it is set again when the next minute begins, so that the
// program sleeps between two due checks.
void MainStatusBar::showDateAndTime() {
  SetStatusText(wxString::FromUTF8(clock_.today().toDisplay()), kDate);
  SetStatusText(wxString::FromUTF8(clock_.hhmm()), kClock);
}

void MainStatusBar::scheduleClock() {
  const int second = clock_.now().secondsOfDay % 60;
  clockTimer_.StartOnce((60 - second) * 1000 + 50);
}

void MainStatusBar::DoUpdateStatusText(int field) {
  wxRect r;
  if (GetFieldRect(field, r) && r.width > 4 && r.height > 4) wxStatusBar::DoUpdateStatusText(field);
}

void MainStatusBar::placeLamp() {
  wxRect r;
  // Before the bar has its size the field has none either.
  if (!GetFieldRect(kLamp, r) || r.width <= 2 || r.height <= 2) return;
  lamp_->SetSize(r.Deflate(1));
}

void MainStatusBar::onClick(wxMouseEvent& event) {
  wxRect r;
  if (GetFieldRect(kFile, r) && r.Contains(event.GetPosition())) {
    SetStatusText(wxString::FromUTF8(fileName_), kFile);
  } else if (GetFieldRect(kView, r) && r.Contains(event.GetPosition())) {
    SetStatusText(wxString::FromUTF8(viewName_), kView);
  }
  event.Skip();
}

}  // namespace zrv
