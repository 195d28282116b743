// The resident main window on a real table: the list shows the current view in trigger order,
// its cursor is the table's current record, its keys and clicks act on that record with the
// due-check timer paused, the week overview, the message bar and the window's frame.
#include <gtest/gtest.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>
#include <wx/weakref.h>
#include <array>

#include "app/context.h"
#include "app/ini_file.h"
#include "reminder/recurrence.h"
#include "reminder/views.h"
#include "store/appointments/appointment_record.h"
#include "store/appointments/appointment_table.h"
#include "store/appointments/trigger.h"
#include "store/xbase/table.h"
#include "support/reminder_rig.h"
#include "ui/appointment_grid.h"
#include "ui/due_timer.h"
#include "ui/main_frame.h"
#include "ui/main_status_bar.h"
#include "ui/week_panel.h"
#include "ui/wx_user_interface.h"
#include "ui/wx_wait.h"
#include "ui_test_util.h"

namespace zrv {
namespace {

struct Edit {
  std::uint32_t recno;
  bool isNew;
  bool timerOn;
};

class MainWindowTest : public ::testing::Test {
 protected:
  // Monday of calendar week 24.
  test::ReminderRig rig{"10.06.2024", "08:00:00"};
  MainFrame* frame = nullptr;
  std::unique_ptr<ReminderEnv> env;
  std::vector<Edit> edits;
  std::vector<std::array<int, 3>> rightClicks;  // row, column, record number
  // The editor and the context menu record what they were asked for.
  struct Parts : NoMainWindowParts {
    explicit Parts(MainWindowTest& t) : test(t) {}
    MainWindowTest& test;
    void editTermin(wxWindow*, std::uint32_t recno, bool isNew, const std::string&) override {
      test.edits.push_back({recno, isNew, test.rig.timer.on});
    }
    void rightClick(int row, int column, std::uint32_t recno) override {
      test.rightClicks.push_back({row, column, static_cast<int>(recno)});
    }
  } parts{*this};

  ~MainWindowTest() override {
    if (frame) frame->Destroy();
    test::pump(50);
    env.reset();
  }

  std::uint32_t add(const std::string& date, const std::string& time, const std::string& text,
                    int warnMin = 0) {
    return rig.add(test::makeAppointment(date, time, text, kOnce, warnMin));
  }

  // The window as start-up makes it: created, given the engine, shown and initialised.
  void open(bool hidden = false) {
    rig.ctx.run.LS_WNDHIDDEN = hidden;
    rig.ctx.run.CN_WEEK = "24";
    frame = new MainFrame(rig.ctx, WindowRect{60, 40, 559, 839}, parts);
    env =
        std::make_unique<ReminderEnv>(rig.ctx, *rig.table,
                                      ReminderPorts{rig.timer, *frame, rig.alert, rig.sound,
                                                    rig.launcher, rig.mail, rig.wakeUp, rig.wait});
    frame->attach(env.get());
    frame->Show();
    frame->initialise();
    test::pump();
  }

  AppointmentGrid& grid() {
    EXPECT_NE(frame->grid(), nullptr);
    return *frame->grid();
  }

  std::vector<std::string> column(int col) {
    std::vector<std::string> out;
    for (int row = 0; row < grid().GetNumberRows(); ++row)
      out.push_back(grid().GetCellValue(row, col).utf8_string());
    return out;
  }

  bool logged(const std::string& line) {
    const auto lines = rig.logLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
};

TEST_F(MainWindowTest, ListShowsTheCurrentViewInTriggerOrder) {
  add("12.06.2024", "09:00", "Mittwoch");
  Appointment early = test::makeAppointment("10.06.2024", "10:30", "Zahnarzt Dr. Weiß\nBonusheft");
  early.TERMINART = "TA7";
  early.WARNMIN = 15;
  rig.add(early);
  Appointment again = test::makeAppointment("11.06.2024", "07:05", "Rückruf");
  again.LAUTO = true;
  again.WARNMIN = 10;
  rig.add(again);
  open();

  EXPECT_EQ(grid().GetNumberCols(), kListColumns);
  EXPECT_EQ(column(5), (std::vector<std::string>{"Zahnarzt Dr. Weiß", "Rückruf", "Mittwoch"}));
  EXPECT_EQ(column(0), (std::vector<std::string>{"TA7", "TA70", "TA70"}));
  EXPECT_EQ(column(1), (std::vector<std::string>{"V", "A", ""}));
  EXPECT_EQ(column(2), (std::vector<std::string>{"Mo", "Di", "Mi"}));
  EXPECT_EQ(column(3), (std::vector<std::string>{"10.06.24", "11.06.24", "12.06.24"}));
  EXPECT_EQ(column(4), (std::vector<std::string>{"10:30", "07:05", "09:00"}));
  EXPECT_EQ(grid().GetColLabelValue(2), "Tag");
  EXPECT_EQ(grid().GetColLabelValue(5), "Text");
  EXPECT_EQ(grid().currentRow(), 0);
  EXPECT_GE(grid().GetRowSize(0), 18) << "a 16-pixel kind bitmap is not cut off";
  // The text column takes what the others leave.
  int width = 0;
  for (int col = 0; col < kListColumns; ++col)
    width += grid().GetColSize(col);
  EXPECT_EQ(width, grid().GetGridWindow()->GetClientSize().x);
}

TEST_F(MainWindowTest, AnotherTableInUseIsShownAndTheWeekOverviewFollowsIt) {
  add("10.06.2024", "09:00", "aus ZORVANE");
  open();
  const auto base = rig.dir.path() / "MEIER";
  ASSERT_TRUE(Table::create(appointmentTableFile(base), terStruct(), rig.clock));
  auto other = AppointmentTable::open(base, rig.clock, AppointmentTable::Options{});
  ASSERT_TRUE(other);
  Appointment a = test::makeAppointment("11.06.2024", "08:00", "aus MEIER");
  applyTriggerRule(a, rig.log);
  ASSERT_TRUE((*other)->append(a));
  ASSERT_TRUE((*other)->commit());

  // What the program does when useTable has opened another table.
  env->follow(**other);
  frame->followTable(env.get());
  test::pump();
  EXPECT_EQ(column(5), std::vector<std::string>{"aus MEIER"});
  frame->showWeekOverview();
  test::pump();
  EXPECT_NE(frame->weekPanel()->textBox(1)->GetValue().utf8_string().find("aus MEIER"),
            std::string::npos);

  env->follow(*rig.table);
  frame->followTable(env.get());
  test::pump();
  EXPECT_EQ(frame->displayMode(), kModeWeek);
  EXPECT_NE(frame->weekPanel()->textBox(0)->GetValue().utf8_string().find("aus ZORVANE"),
            std::string::npos);
}

TEST_F(MainWindowTest, ListHidesDeletedAppointmentsAndSwitchesWithTheView) {
  const auto gone = add("10.06.2024", "09:00", "gelöscht");
  const auto filed = add("10.06.2024", "10:00", "abgelegt");
  add("11.06.2024", "11:00", "morgen");
  add("10.06.2024", "12:00", "heute");
  open();
  ASSERT_EQ(grid().GetNumberRows(), 4);

  ASSERT_TRUE(rig.table->goTo(gone));
  ASSERT_TRUE(rig.table->deleteRecord());
  Appointment a = rig.at(filed);
  a.QUIT = true;
  ASSERT_TRUE(rig.table->write(a));
  ASSERT_TRUE(rig.table->commit());
  frame->listToFirstRow();  // as the search for the next appointment does after every change
  EXPECT_EQ(column(5), (std::vector<std::string>{"heute", "morgen"}));

  frame->switchView(kViewToday, "MHeuTer");
  EXPECT_EQ(column(5), std::vector<std::string>{"heute"});
  frame->switchView(kViewFiled, "MAbgTer");
  EXPECT_EQ(column(5), std::vector<std::string>{"abgelegt"});
  EXPECT_EQ(rig.ui.viewPane, "Abgelegte");
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: MAbgTer"));
  frame->switchView(kViewCurrent, "MAktTer");
  EXPECT_EQ(column(5), (std::vector<std::string>{"heute", "morgen"}));
}

TEST_F(MainWindowTest, TheCursorIsTheTablesCurrentRecordWhateverThePaintingReads) {
  add("10.06.2024", "09:00", "eins");
  add("10.06.2024", "10:00", "zwei");
  const auto third = add("10.06.2024", "11:00", "drei");
  open();
  grid().goToRow(2);
  EXPECT_EQ(rig.table->recNo(), third);
  frame->Refresh();
  frame->Update();
  test::pump();
  EXPECT_EQ(rig.table->recNo(), third);
  EXPECT_EQ(grid().currentRow(), 2);

  // A new size keeps the place in the list.
  frame->SetSize(frame->GetSize() + wxSize(120, 60));
  test::pump(400);
  EXPECT_EQ(grid().currentRow(), 2);
  EXPECT_EQ(rig.table->recNo(), third);
}

TEST_F(MainWindowTest, DeleteKeyDeletesTheCurrentAppointmentAfterAskingWithTheTimerPaused) {
  add("10.06.2024", "09:00", "bleibt");
  const auto doomed = add("10.06.2024", "10:00", "weg damit");
  open();
  grid().goToRow(1);

  rig.ui.answers = {false};
  frame->checkLbxKeys(WXK_DELETE);
  EXPECT_FALSE(rig.isDeleted(doomed));
  EXPECT_EQ(rig.ui.questions.back(), "Frage: Diesen Termin löschen ?");
  EXPECT_FALSE(rig.ctx.run.LS_PACK);

  grid().goToRow(1);
  rig.ui.answers = {true};
  rig.clearLog();
  test::keyOn(grid().GetGridWindow(), WXK_DELETE);  // the real key
  EXPECT_TRUE(rig.isDeleted(doomed));
  EXPECT_TRUE(rig.ctx.run.LS_PACK);
  EXPECT_EQ(column(5), std::vector<std::string>{"bleibt"});
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: CheckLbxKeys2"));
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: CheckLbxKeys1"));
  EXPECT_TRUE(rig.timer.on);
}

TEST_F(MainWindowTest, EnterDoubleClickAndInsertEditWithTheTimerPaused) {
  add("10.06.2024", "09:00", "eins");
  const auto second = add("10.06.2024", "10:00", "zwei");
  open();
  grid().goToRow(1);
  rig.clearLog();
  test::keyOn(grid().GetGridWindow(), WXK_RETURN);
  ASSERT_EQ(edits.size(), 1u);
  EXPECT_EQ(edits[0].recno, second);
  EXPECT_FALSE(edits[0].isNew);
  EXPECT_FALSE(edits[0].timerOn);
  EXPECT_TRUE(rig.timer.on);
  EXPECT_TRUE(logged("(ChkOlds) Verpassten Termin suchen"));
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: DlgBtn"));

  // A double click on the second row (the search for the next appointment moved the list to
  // its first row).
  wxWindow* cells = grid().GetGridWindow();
  const wxRect cell = grid().CellToRect(1, 5);
  wxUIActionSimulator sim;
  sim.MouseMove(cells->ClientToScreen(cell.GetPosition() + wxPoint(20, cell.height / 2)));
  test::pump(100);
  sim.MouseDblClick();
  test::pump(300);
  ASSERT_EQ(edits.size(), 2u);
  EXPECT_EQ(edits[1].recno, second);
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: DlgTab"));

  frame->checkLbxKeys(WXK_INSERT);
  ASSERT_EQ(edits.size(), 3u);
  EXPECT_EQ(edits[2].recno, 0u);
  EXPECT_TRUE(edits[2].isNew);
  EXPECT_FALSE(edits[2].timerOn);
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: CheckLbxKeys1"));
  EXPECT_TRUE(rig.timer.on);

  // A right click hands the clicked appointment to the context menu.
  const wxRect dateCell = grid().CellToRect(1, 3);
  sim.MouseMove(cells->ClientToScreen(dateCell.GetPosition() + wxPoint(5, dateCell.height / 2)));
  test::pump(100);
  sim.MouseClick(wxMOUSE_BTN_RIGHT);
  test::pump(300);
  ASSERT_EQ(rightClicks.size(), 1u);
  EXPECT_EQ(rightClicks[0], (std::array<int, 3>{1, 3, static_cast<int>(second)}));
  EXPECT_EQ(rig.table->recNo(), second);

  // Escape does nothing in the list.
  test::keyOn(grid().GetGridWindow(), WXK_ESCAPE);
  EXPECT_EQ(frame->displayMode(), kModeList);
  EXPECT_NE(frame->grid(), nullptr);
}

TEST_F(MainWindowTest, WeekOverviewListsTheWeekAndEscapeOrEnterReturnToTheList) {
  add("10.06.2024", "09:00", "Montag früh");
  add("13.06.2024", "14:00", "Donnerstag");
  add("16.06.2024", "10:00", "Sonntag");
  add("17.06.2024", "10:00", "nächste Woche");
  open();
  frame->showWeekOverview();
  test::pump();
  ASSERT_EQ(frame->displayMode(), kModeWeek);
  ASSERT_EQ(frame->grid(), nullptr);
  WeekPanel* week = frame->weekPanel();
  ASSERT_NE(week, nullptr);
  EXPECT_EQ(week->frame(0)->GetLabel().utf8_string(), "Montag (10.06.)");
  EXPECT_EQ(week->frame(3)->GetLabel().utf8_string(), "Donnerstag  (13.06.)");
  EXPECT_EQ(week->textBox(0)->GetValue().utf8_string(), " 09:00 - Montag früh\n");
  EXPECT_EQ(week->textBox(3)->GetValue().utf8_string(), " 14:00 - Donnerstag\n");
  EXPECT_EQ(week->textBox(6)->GetValue().utf8_string(), " 10:00 - Sonntag\n");
  EXPECT_TRUE(week->textBox(1)->GetValue().empty());
  // The boxes lie inside the window, Saturday above Sunday in the right column.
  const wxRect client(wxPoint(0, 0), frame->GetClientSize());
  for (int day = 0; day < kDaysOfWeek; ++day)
    EXPECT_TRUE(client.Contains(week->frame(day)->GetRect())) << day;
  EXPECT_LT(week->frame(5)->GetRect().GetBottom(), week->frame(6)->GetRect().GetTop());
  test::screenshot(frame, "week_overview");

  test::keyOn(week->textBox(0), WXK_ESCAPE);
  EXPECT_EQ(frame->displayMode(), kModeList);
  ASSERT_NE(frame->grid(), nullptr);
  EXPECT_EQ(grid().currentRow(), 0);

  frame->showWeekOverview();
  test::pump();
  test::keyOn(frame->weekPanel()->textBox(2), WXK_RETURN);
  EXPECT_EQ(frame->displayMode(), kModeList);
}

TEST_F(MainWindowTest, TheListComesWithTheSecondBuildAndTheDueCheckStartsWithIt) {
  add("10.06.2024", "09:00", "eins");
  frame = new MainFrame(rig.ctx, WindowRect{}, parts);
  env = std::make_unique<ReminderEnv>(rig.ctx, *rig.table,
                                      ReminderPorts{rig.timer, *frame, rig.alert, rig.sound,
                                                    rig.launcher, rig.mail, rig.wakeUp, rig.wait});
  frame->attach(env.get());
  EXPECT_EQ(frame->grid(), nullptr);  // the window's creation builds no list
  EXPECT_FALSE(rig.timer.on);
  frame->Show();
  rig.clearLog();
  frame->initialise();
  ASSERT_NE(frame->grid(), nullptr);
  EXPECT_EQ(frame->grid()->GetNumberRows(), 1);
  EXPECT_TRUE(rig.timer.on);
  EXPECT_EQ(rig.ui.viewPane, "Aktuelle");
  EXPECT_EQ(rig.logLines().at(0), "(ChkOlds) Verpassten Termin suchen");
  EXPECT_EQ(rig.logLines().at(1), "(ChkNext) Nächsten Termin suchen - call von: DlgAfterActivate");
}

TEST_F(MainWindowTest, AHiddenStartRemindsAtOnceAndBuildsItsListWhenShown) {
  add("10.06.2024", "09:00", "eins");
  rig.clearLog();
  open(true);
  EXPECT_EQ(frame->grid(), nullptr);
  EXPECT_TRUE(rig.timer.on);
  EXPECT_TRUE(logged("(ChkNext) Nächsten Termin suchen - call von: DlgAfterActivate"));

  wxIconizeEvent restored(frame->GetId(), false);
  restored.SetEventObject(frame);
  frame->GetEventHandler()->ProcessEvent(restored);
  test::pump();
  ASSERT_NE(frame->grid(), nullptr);
  EXPECT_EQ(frame->grid()->GetNumberRows(), 1);
}

// The start's deferred work (the day indexes) runs once the window is up and before the due
// check, or before a command that comes sooner; the list is filled in the meantime.
TEST_F(MainWindowTest, WorkLeftUntilTheWindowIsUpRunsBeforeTheDueCheckAndAnyCommand) {
  add("10.06.2024", "09:00", "eins");
  for (const bool commandFirst : {false, true}) {
    SCOPED_TRACE(commandFirst ? "a command first" : "idle first");
    if (frame) frame->Destroy();
    test::pump(50);
    frame = new MainFrame(rig.ctx, WindowRect{}, parts);
    env =
        std::make_unique<ReminderEnv>(rig.ctx, *rig.table,
                                      ReminderPorts{rig.timer, *frame, rig.alert, rig.sound,
                                                    rig.launcher, rig.mail, rig.wakeUp, rig.wait});
    frame->attach(env.get());
    int runs = 0;
    frame->deferUntilUp([&] {
      ++runs;
      EXPECT_FALSE(logged("(ChkOlds) Verpassten Termin suchen"));
    });
    rig.timer.on = false;
    rig.clearLog();
    edits.clear();
    frame->Show();
    frame->initialise();
    ASSERT_NE(frame->grid(), nullptr);
    EXPECT_EQ(frame->grid()->GetNumberRows(), 1);
    EXPECT_EQ(runs, 0);
    EXPECT_FALSE(rig.timer.on);
    if (commandFirst) {
      frame->runCommand(CommandId::ListEditButton);
      EXPECT_EQ(runs, 1);
      ASSERT_EQ(edits.size(), 1u);
      EXPECT_FALSE(edits[0].timerOn);  // the cycle had started and paused for the editor
    }
    test::pump();
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(rig.timer.on);
    EXPECT_TRUE(logged("(ChkOlds) Verpassten Termin suchen"));
  }
}

TEST_F(MainWindowTest, MessageBarShowsWeekFileViewAndTheTimerLamp) {
  open();
  MainStatusBar* bar = frame->messageBar();
  EXPECT_EQ(bar->paneText(StatusPane::Week), "KW 24");
  EXPECT_EQ(bar->paneText(StatusPane::File), "ZORVANE");
  EXPECT_EQ(bar->GetStatusText(1).utf8_string(), "10.06.2024");
  EXPECT_EQ(bar->GetStatusText(2).utf8_string(), "08:00");

  WxUserInterface ui;
  ui.setMainFrame(frame);
  ui.statusPane(StatusPane::View, "Heutige");
  EXPECT_EQ(bar->paneText(StatusPane::View), "Heutige");
  ui.statusPaneColour(StatusPane::TimerLamp, kLampPaused);
  EXPECT_EQ(bar->lampColour(), wxColour(255, 0, 0));
  ui.statusPaneColour(StatusPane::TimerLamp, kLampRunning);
  EXPECT_EQ(bar->lampColour(), wxColour(0, 255, 0));
  ui.statusText("Datenbank reorganisieren");
  EXPECT_EQ(bar->GetStatusText(0).utf8_string(), "Datenbank reorganisieren");
  ui.statusText("");
  EXPECT_EQ(bar->GetStatusText(0).utf8_string(), kIdleStatusText);

  // Clicking the view pane shows the view again.
  bar->SetStatusText("", MainStatusBar::fieldOf(StatusPane::View));
  wxRect r;
  ASSERT_TRUE(bar->GetFieldRect(MainStatusBar::fieldOf(StatusPane::View), r));
  test::clickWithMouse(bar);  // somewhere in the bar's middle: nothing happens there
  wxUIActionSimulator sim;
  sim.MouseMove(bar->ClientToScreen(r.GetPosition() + wxPoint(r.width / 2, r.height / 2)));
  test::pump(100);
  sim.MouseClick();
  test::pump(200);
  EXPECT_EQ(bar->paneText(StatusPane::View), "Heutige");
}

TEST_F(MainWindowTest, TitleFrameAndPlace) {
  rig.ctx.settings.LS_LAN = true;
  open();
  EXPECT_EQ(frame->GetTitle(), "QLS Zorvane v2.00.65 Lan");
  EXPECT_FALSE(frame->HasFlag(wxMINIMIZE_BOX));
  EXPECT_FALSE(frame->HasFlag(wxMAXIMIZE_BOX));
  EXPECT_TRUE(frame->HasFlag(wxRESIZE_BORDER));
  EXPECT_TRUE(frame->HasFlag(wxCLOSE_BOX));
  EXPECT_EQ(frame->GetSize(), wxSize(800, 500));
}

TEST_F(MainWindowTest, ClosingSavesTheSettingsAndStopsTheTimer) {
  add("10.06.2024", "09:00", "eins");
  open();
  ASSERT_TRUE(rig.timer.on);
  rig.ctx.settings.NS_TODAY = 2;
  frame->Close();
  test::pump();
  frame = nullptr;  // destroyed by its close handler
  EXPECT_FALSE(rig.timer.on);
  const IniFile ini(rig.dir / "ZORVANE.INI");
  EXPECT_EQ(ini.read("ZORVANE", "FILENAME", ""), "ZORVANE");
  EXPECT_EQ(ini.read("SYSTEM", "Today", ""), "2");
  EXPECT_EQ(ini.read("SYSTEM", "LastOn", ""), "10.06.2024");
}

TEST_F(MainWindowTest, TheCloseBoxIsRefusedWhileTheProgramWaits) {
  open();
  wxWeakRef<MainFrame> alive(frame);
  WxWait wait;
  wxTimer user;
  user.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { frame->Close(); });
  user.StartOnce(100);
  wait.waitOneSecond();  // as the wake-up job waits for its entry
  test::pump();
  if (!alive) frame = nullptr;
  ASSERT_TRUE(alive) << "the window was destroyed under the waiting work";
  EXPECT_TRUE(rig.timer.on);
  frame->Close();
  test::pump();
  EXPECT_FALSE(alive);
  frame = nullptr;
}

TEST_F(MainWindowTest, MovingAndResizingSaveThePlaceOnceTheyEnd) {
  open();
  const IniFile ini(rig.dir / "ZORVANE.INI");
  frame->SetSize(210, 160, 700, 520);
  ASSERT_TRUE(test::pumpUntil([&] { return ini.read("SYSTEM", "Top", "") == "160"; }));
  EXPECT_EQ(ini.read("SYSTEM", "Left", ""), "210");
  EXPECT_EQ(ini.read("SYSTEM", "Right", ""), "909");
  EXPECT_EQ(ini.read("SYSTEM", "Bottom", ""), "679");
  EXPECT_EQ(rig.dir.read("ZORVANE.SAV"), rig.dir.read("ZORVANE.INI"));
}

TEST(DueTimer, TicksEveryIntervalAndNotWhileAModalWindowIsOpen) {
  int ticks = 0;
  DueTimer timer(1, [&] { ++ticks; });
  EXPECT_FALSE(timer.running());
  timer.start();
  EXPECT_TRUE(timer.running());
  EXPECT_TRUE(test::pumpUntil([&] { return ticks >= 1; }));

  wxDialog dialog(nullptr, wxID_ANY, "modal");
  int ticksInDialog = -1;
  test::WhenModal<wxDialog> user([&](wxDialog& d) {
    EXPECT_EQ(openModalWindows(), 1);
    const int before = ticks;
    test::pump(1400);  // more than one interval
    ticksInDialog = ticks - before;
    d.EndModal(wxID_OK);
  });
  dialog.ShowModal();
  EXPECT_EQ(ticksInDialog, 0);
  EXPECT_EQ(openModalWindows(), 0);
  timer.stop();
  EXPECT_FALSE(timer.running());
}

}  // namespace
}  // namespace zrv
