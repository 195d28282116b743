// The month calendar on screen, driven with the mouse: a year on and back by its buttons, the
// legend, a click on a day; as viewer of the main window and as date picker of "Termin
// verlegen". Screenshots of the calendar and the legend go to test-artifacts/.
#include "calendar/calendar_window.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/tooltip.h>

#include "calendar/calendar_cell_ctrl.h"
#include "calendar/legend_window.h"
#include "reminder/postpone_window.h"
#include "store/appointments/appointment_table.h"
#include "support/reminder_rig.h"
#include "ui/wx_window_services.h"
#include "ui_test_util.h"
#include "widgets/tbmpget_ctrl.h"

namespace zrv {
namespace {

Date ymd(int y, int m, int d) {
  return *Date::fromYmd(y, m, d);
}

// The cell number (1..42) showing `day`, 0 when none does.
int cellNumber(const CalendarWindow& w, int day) {
  for (int k = 1; k <= kCalendarCells; ++k) {
    if (w.dayCell(k)->caption() == wxString::Format("%d", day)) return k;
  }
  return 0;
}

CalendarCellCtrl* cellWithDay(const CalendarWindow& w, int day) {
  const int k = cellNumber(w, day);
  return k ? w.dayCell(k) : nullptr;
}

wxString tip(wxWindow* w) {
  return w->GetToolTip() ? w->GetToolTip()->GetTip() : wxString();
}

class CalendarWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    rig.add(test::makeAppointment("15.03.2027", "18:00", "Steuerberatung Müller"));
    rig.add(test::makeAppointment("03.03.2028", "09:00", "Geburtstag Jörg (#1971)"));
    current = rig.add(test::makeAppointment("22.03.2027", "09:00", "Übergabe"));
    // The table in use, as the program holds it; the list shows today's appointments.
    rig.ctx.DTER = std::move(rig.table);
    ASSERT_TRUE(rig.ctx.DTER->setView(2));
    ASSERT_TRUE(rig.ctx.DTER->goTo(current));
  }
  void TearDown() override {
    rig.table = std::move(rig.ctx.DTER);
    if (owner) owner->Destroy();
    test::pump(50);
  }
  wxFrame* makeOwner() {
    owner = new wxFrame(nullptr, wxID_ANY, "Zorvane", wxPoint(60, 80), wxSize(700, 500));
    owner->Show();
    test::pump(200);
    return owner;
  }
  bool kalFileLeft() const {
    for (const auto& e : std::filesystem::directory_iterator(rig.dir.path())) {
      if (e.path().extension() == ".KAL") return true;
    }
    return false;
  }

  test::ReminderRig rig{"03.03.2027", "10:00:00"};
  std::uint32_t current = 0;
  wxFrame* owner = nullptr;
};

TEST_F(CalendarWindowTest, AYearOnAndBackThenADayIsPicked) {
  wxFrame* frame = makeOwner();
  bool legendShown = false;
  test::WhenModal<CalendarWindow> act([&](CalendarWindow& w) {
    test::pump(300);
    const wxPoint expected = frame->GetScreenRect().GetPosition() + wxPoint(150, 20);
    EXPECT_EQ(w.GetScreenPosition(), expected);
    EXPECT_EQ(w.monthTitle()->caption(), wxString::FromUTF8("März 2027"));
    EXPECT_EQ(w.todayLabel()->caption(), wxString::FromUTF8("Heute ist: Mi.,   3. Mär.  2027"));
    EXPECT_EQ(cellWithDay(w, 3)->bitmapName(), "KHeute");
    EXPECT_EQ(cellWithDay(w, 10)->bitmapName(), "KVorgabe");
    EXPECT_EQ(cellWithDay(w, 15)->bitmapName(), "KPrivat");
    EXPECT_EQ(tip(cellWithDay(w, 15)), wxString::FromUTF8("Steuerberatung Müller"));
    EXPECT_EQ(cellWithDay(w, 26)->bitmapName(), "KFeier");
    EXPECT_EQ(tip(cellWithDay(w, 29)), "Ostermontag");
    EXPECT_EQ(tip(w.stepButton(CalendarStep::kYearOn)), wxString::FromUTF8("nächstes Jahr"));

    // The lower year button goes on, the upper one back.
    test::clickWithMouse(w.stepButton(CalendarStep::kYearOn));
    EXPECT_EQ(w.monthTitle()->caption(), wxString::FromUTF8("März 2028 +"));
    EXPECT_EQ(w.model().holidayYear(), 2028);
    EXPECT_EQ(cellWithDay(w, 3)->bitmapName(), "KPrivat");
    EXPECT_EQ(tip(cellWithDay(w, 3)), wxString::FromUTF8("Geburtstag Jörg (57)"));
    EXPECT_EQ(cellWithDay(w, 15)->bitmapName(), "KDatum");
    EXPECT_EQ(cellWithDay(w, 26)->bitmapName(), "KDatum");
    EXPECT_EQ(tip(w.dayCell(1)), "");  // outside the month: nothing left from before
    test::clickWithMouse(w.stepButton(CalendarStep::kYearBack));
    EXPECT_EQ(w.monthTitle()->caption(), wxString::FromUTF8("März 2027"));
    EXPECT_EQ(w.model().holidayYear(), 2027);
    EXPECT_FALSE(kalFileLeft());
    test::screenshot(&w, "calendar_window");

    test::WhenModal<LegendWindow> legend([&](LegendWindow& l) {
      test::pump(300);
      legendShown = true;
      EXPECT_EQ(l.GetScreenPosition(), w.GetScreenPosition() + wxPoint(70, 70));
      test::screenshot(&l, "calendar_legend");
      test::clickWithMouse(l.closeButton());
    });
    test::clickWithMouse(w.legendButton());
    test::pumpUntil([&] { return legend.ran() && !test::findTopLevel<LegendWindow>(); });
    EXPECT_TRUE(w.IsModal());
    test::clickWithMouse(cellWithDay(w, 18));
  });
  const Date picked = kalender(frame, rig.ctx, ymd(2027, 3, 10));
  EXPECT_TRUE(act.ran());
  EXPECT_TRUE(legendShown);
  EXPECT_EQ(picked, ymd(2027, 3, 18));
  // The table as the list left it: its view's order, its record, no month index.
  EXPECT_FALSE(kalFileLeft());
  EXPECT_EQ(rig.ctx.DTER->table().order(), 3);
  EXPECT_EQ(rig.ctx.DTER->recNo(), current);
}

TEST_F(CalendarWindowTest, TheViewerLeavesTheListOnViewOne) {
  test::WhenModal<CalendarWindow> act([&](CalendarWindow& w) {
    EXPECT_EQ(w.model().preset(), rig.clock.today());
    test::pump(200);
    test::keyOn(w.dayCell(10), WXK_ESCAPE);  // Escape closes it like the close box
    if (w.IsModal()) {
      ADD_FAILURE() << "Escape left the calendar open";
      w.EndModal(wxID_CANCEL);
    }
  });
  showCalendarView(makeOwner(), *rig.env);
  EXPECT_TRUE(act.ran());
  EXPECT_EQ(rig.ctx.settings.NS_TODAY, 1);
  EXPECT_EQ(rig.ctx.DTER->table().order(), 1);
  EXPECT_EQ(rig.window.count("listToFirstRow"), 1);
}

TEST_F(CalendarWindowTest, TheDateFieldOfTerminVerlegenPicksADayOrKeepsItsDate) {
  WxWindowServices services(rig.ctx);
  auto* postpone = new PostponeWindow(makeOwner(), ymd(2026, 12, 10), "09:45", {}, services);
  postpone->Show();
  test::pump(200);
  {
    // A cell outside the month is no pick.
    test::WhenModal<CalendarWindow> act([](CalendarWindow& w) {
      EXPECT_EQ(w.model().preset(), ymd(2026, 12, 10));
      w.showDay(1);
    });
    EXPECT_TRUE(postpone->dateField()->runAction());
    EXPECT_TRUE(test::pumpUntil([&] { return act.ran(); }));
    EXPECT_EQ(postpone->dateField()->GetValue(), "10.12.2026");
  }
  {
    test::WhenModal<CalendarWindow> act([](CalendarWindow& w) {
      w.navigate(CalendarStep::kMonthOn);
      w.showDay(cellNumber(w, 5));
    });
    EXPECT_TRUE(postpone->dateField()->runAction());
    EXPECT_TRUE(test::pumpUntil([&] { return act.ran(); }));
    EXPECT_EQ(postpone->dateField()->GetValue(), "05.01.2027");
  }
  postpone->Destroy();
}

}  // namespace
}  // namespace zrv
