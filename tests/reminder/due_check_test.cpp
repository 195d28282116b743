// The due check tick by tick with a scripted clock: chimes, day change, changes of the table
// file, due appointments, views and the timer lamp.
#include "reminder/due_check.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "reminder/alert_content.h"
#include "reminder/next_appointment.h"
#include "reminder/recurrence.h"
#include "reminder/views.h"
#include "support/berlin_time.h"
#include "support/reminder_rig.h"

namespace zrv {
namespace {

using test::makeAppointment;
using test::ReminderRig;

int count(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

// Runs ticks every `seconds` until the clock has passed `until` ("dd.mm.yyyy HH:MM:SS" compared
// as moments); returns the clock times at which a sound was played, with the sound's name.
std::vector<std::string> tickUntil(ReminderRig& rig, const Moment& until, int seconds) {
  std::vector<std::string> heard;
  auto before = [&](const Moment& m) {
    return m.date < until.date || (m.date == until.date && m.secondsOfDay <= until.secondsOfDay);
  };
  while (before(rig.clock.now())) {
    const std::size_t played = rig.sound.played.size();
    chkAll(*rig.env);
    for (std::size_t i = played; i < rig.sound.played.size(); ++i) {
      heard.push_back(rig.clock.today().toDisplay() + " " + rig.clock.timeText() + " " +
                      rig.sound.played[i].filename().string());
    }
    rig.clock.advance(seconds);
  }
  return heard;
}

Moment at(const std::string& date, const std::string& time) {
  return FixedClock(date, time).now();
}

TEST(DueCheckDay, ChimesOncePerQuarterAndNeverAtMidnight) {
  ReminderRig rig("09.06.2024", "23:40:00");
  rig.ctx.settings.LS_ALARMON = true;
  const std::vector<std::string> heard = tickUntil(rig, at("11.06.2024", "00:20:00"), 30);

  // 23:45 of the first day, 95 chimes on the whole second day (none at 00:00), then midnight
  // passes in silence and the day goes on with the first quarter.
  ASSERT_EQ(heard.size(), 97u);
  EXPECT_EQ(heard.front(), "09.06.2024 23:45:00 Viertel3.wav");
  EXPECT_EQ(heard[1], "10.06.2024 00:15:00 Viertel1.wav");
  EXPECT_EQ(heard[2], "10.06.2024 00:30:00 Viertel2.wav");
  EXPECT_EQ(heard[3], "10.06.2024 00:45:00 Viertel3.wav");
  EXPECT_EQ(heard[4], "10.06.2024 01:00:00 Viertel4.wav");
  EXPECT_EQ(heard[94], "10.06.2024 23:30:00 Viertel2.wav");
  EXPECT_EQ(heard[95], "10.06.2024 23:45:00 Viertel3.wav");
  EXPECT_EQ(heard.back(), "11.06.2024 00:15:00 Viertel1.wav");

  const std::vector<std::string> lines = rig.logLines();
  EXPECT_EQ(count(lines, "(Im Timer) Neuer Tag"), 2);
  EXPECT_EQ(count(lines, "(ChkNext) Nächsten Termin suchen - call von: ChkAll"), 2);
  EXPECT_EQ(count(lines, "(Im Timer) 4. Viertelstunde-Alarm"), 23);
  EXPECT_EQ(count(lines, "(Im Timer) 1. Viertelstunde-Alarm"), 25);
  // Only the first tick noticed the table file; it was never changed afterwards.
  EXPECT_EQ(count(lines, "(Im Timer) Netzwerk-Alarm"), 1);
  EXPECT_EQ(rig.ctx.run.DS_STARTDATE, Date::fromDisplay("11.06.2024"));
  EXPECT_TRUE(rig.timer.on);
}

TEST(DueCheckDay, TwoTicksInAChimeMinuteChimeOnce) {
  ReminderRig rig("10.06.2024", "12:15:10");
  rig.ctx.settings.LS_ALARMON = true;
  chkAll(*rig.env);
  rig.clock.set("10.06.2024", "12:15:40");
  chkAll(*rig.env);
  EXPECT_EQ(rig.sound.names(), std::vector<std::string>{"Viertel1.wav"});
}

TEST(DueCheckDay, TheDayChangeTickSkipsItsChime) {
  ReminderRig rig("10.06.2024", "23:59:50");
  rig.ctx.settings.LS_ALARMON = true;
  chkAll(*rig.env);
  rig.clock.set("11.06.2024", "00:15:10");  // the computer slept past midnight
  chkAll(*rig.env);
  EXPECT_TRUE(rig.sound.played.empty());
  EXPECT_EQ(count(rig.logLines(), "(Im Timer) Neuer Tag"), 1);
  EXPECT_EQ(count(rig.logLines(), "(Im Timer) 1. Viertelstunde-Alarm"), 0);
  rig.clock.set("11.06.2024", "00:15:40");
  chkAll(*rig.env);
  EXPECT_EQ(rig.sound.names(), std::vector<std::string>{"Viertel1.wav"});
}

TEST(DueCheckDay, NoChimesWithSoundsOff) {
  ReminderRig rig("10.06.2024", "11:50:00");
  tickUntil(rig, at("10.06.2024", "13:10:00"), 30);
  EXPECT_TRUE(rig.sound.played.empty());
}

TEST(DueCheckFile, FirstTickAndEveryLaterChangeOfTheTableFileAreNoticed) {
  ReminderRig rig("10.06.2024", "09:01:00");
  rig.ctx.settings.LS_ALARMON = true;
  rig.ctx.settings.NS_LANACTUAL = 1;
  chkAll(*rig.env);
  chkAll(*rig.env);
  EXPECT_EQ(count(rig.logLines(), "(Im Timer) Netzwerk-Alarm"), 1);
  EXPECT_EQ(rig.sound.names(), std::vector<std::string>{"Netzwerk.wav"});

  // Another program wrote the table.
  const auto file = rig.table->table().file();
  std::filesystem::last_write_time(
      file, std::filesystem::last_write_time(file) + std::chrono::seconds(5));
  chkAll(*rig.env);
  chkAll(*rig.env);
  EXPECT_EQ(count(rig.logLines(), "(Im Timer) Netzwerk-Alarm"), 2);
  EXPECT_EQ(count(rig.logLines(),
                  "(ChkNext) Nächsten Termin suchen - call von: ChkAll - "
                  "UserUpdate"),
            2);
  EXPECT_EQ(rig.sound.played.size(), 2u);
}

TEST(DueCheckFile, PopUpRestoresAHiddenWindow) {
  ReminderRig rig;
  rig.ctx.settings.NS_LANACTUAL = 2;
  rig.ctx.run.LS_WNDHIDDEN = true;
  rig.ctx.run.LS_WNDSHOWN = false;
  chkAll(*rig.env);
  EXPECT_EQ(rig.window.count("showOnTop"), 1);
  EXPECT_TRUE(rig.ctx.run.LS_WNDSHOWN);
  EXPECT_FALSE(rig.ctx.run.LS_WNDHIDDEN);
  const auto lines = rig.logLines();
  EXPECT_EQ(count(lines, "(Im Timer) Netzwerk-PopUp"), 1);
  EXPECT_TRUE(rig.sound.played.empty());
}

TEST(DueCheckFile, NoAnnouncementWithOtherSettings) {
  ReminderRig rig("10.06.2024", "09:01:00");
  rig.ctx.settings.NS_LANACTUAL = 1;  // sound wanted, but sounds are off
  chkAll(*rig.env);
  rig.ctx.settings.NS_LANACTUAL = 3;
  rig.ctx.settings.LS_ALARMON = true;
  rig.env->stampKnown = false;
  chkAll(*rig.env);
  EXPECT_TRUE(rig.sound.played.empty());
  EXPECT_EQ(rig.window.count("showOnTop"), 0);
}

TEST(DueCheckTimer, EveryTickPausesAndResumesTheTimerWithItsLamp) {
  ReminderRig rig;
  qlSwitchTimer(*rig.env, true);
  rig.ui.lampColours.clear();
  chkAll(*rig.env);
  EXPECT_TRUE(rig.timer.on);
  ASSERT_GE(rig.ui.lampColours.size(), 2u);
  EXPECT_EQ(rig.ui.lampColours.front(), kLampPaused);
  EXPECT_EQ(rig.ui.lampColours.back(), kLampRunning);
  EXPECT_EQ(rig.window.pendingRuns, 1);
}

TEST(DueCheckTimer, TheTimerIsPausedWhileTheAlertIsOpen) {
  ReminderRig rig("10.06.2024", "10:00:00");
  rig.add(makeAppointment("10.06.2024", "10:00", "Anruf"));
  bool runningWhileOpen = true;
  rig.alert.scripts.push_back({{}, [&] { runningWhileOpen = rig.timer.on; }});
  qlSwitchTimer(*rig.env, true);
  chkAll(*rig.env);
  ASSERT_EQ(rig.alert.shown.size(), 1u);
  EXPECT_FALSE(runningWhileOpen);
  EXPECT_TRUE(rig.timer.on);
  EXPECT_EQ(rig.window.count("refresh"), 1);
}

TEST(DueCheckTimer, UserCommandRunsBetweenPauseAndNextSearch) {
  ReminderRig rig;
  rig.ctx.settings.LS_SHOWOLD = true;
  bool pausedDuringWork = false;
  runUserCommand(*rig.env, "BarNew", true, [&] { pausedDuringWork = !rig.timer.on; });
  EXPECT_TRUE(pausedDuringWork);
  EXPECT_TRUE(rig.timer.on);
  const auto lines = rig.logLines();
  EXPECT_EQ(count(lines, "(ChkOlds) Verpassten Termin suchen"), 1);
  EXPECT_EQ(count(lines, "(ChkNext) Nächsten Termin suchen - call von: BarNew"), 1);
}

TEST(DueAppointments, SameTriggerWithMissedSearchShowsTheSecondAtOnceAsMissed) {
  ReminderRig rig("10.06.2024", "10:00:00");
  rig.ctx.settings.LS_SHOWOLD = true;
  rig.ctx.settings.LS_SLOESCH = true;
  const auto first = rig.add(makeAppointment("10.06.2024", "10:00", "Erster"));
  const auto second = rig.add(makeAppointment("10.06.2024", "10:00", "Zweiter"));
  rig.alert.scripts.push_back({{AlertAction::Kill}, {}});
  rig.alert.scripts.push_back({{AlertAction::Kill}, {}});
  chkAll(*rig.env);
  ASSERT_EQ(rig.alert.shown.size(), 2u);
  EXPECT_EQ(rig.alert.shown[0].text, "Erster");
  EXPECT_EQ(rig.alert.shown[0].title, "Aktueller Termin");
  EXPECT_EQ(rig.alert.shown[1].text, "Zweiter");
  EXPECT_EQ(rig.alert.shown[1].title, "Verpaßter Termin");
  EXPECT_TRUE(rig.isDeleted(first));
  EXPECT_TRUE(rig.isDeleted(second));
  EXPECT_EQ(count(rig.logLines(), "(ChkOlds) Verpasster Termin unbedingt 10.06.2024 Zweiter"), 1);
}

TEST(DueAppointments, SameTriggerWithoutMissedSearchShowsTheSecondAtTheNextTick) {
  ReminderRig rig("10.06.2024", "10:00:00");
  rig.ctx.settings.LS_SLOESCH = true;
  rig.add(makeAppointment("10.06.2024", "10:00", "Erster"));
  rig.add(makeAppointment("10.06.2024", "10:00", "Zweiter"));
  rig.alert.scripts.push_back({{AlertAction::Kill}, {}});
  rig.alert.scripts.push_back({{AlertAction::Kill}, {}});
  chkAll(*rig.env);
  ASSERT_EQ(rig.alert.shown.size(), 1u);
  EXPECT_EQ(rig.alert.shown[0].text, "Erster");
  rig.clock.advance(30);
  chkAll(*rig.env);
  ASSERT_EQ(rig.alert.shown.size(), 2u);
  EXPECT_EQ(rig.alert.shown[1].text, "Zweiter");
  EXPECT_EQ(rig.alert.shown[1].mode, 2);
}

TEST(DueAppointments, AlertClosedWithoutActionComesBackAtTheNextTick) {
  ReminderRig rig("10.06.2024", "10:00:00");
  const auto rec = rig.add(makeAppointment("10.06.2024", "10:00", "Anruf"));
  const Appointment before = rig.at(rec);
  chkAll(*rig.env);
  rig.clock.advance(30);
  chkAll(*rig.env);
  EXPECT_EQ(rig.alert.shown.size(), 2u);
  EXPECT_EQ(rig.at(rec), before);
}

TEST(DueAppointments, TriggerOfYesterdayIsDueAtTheFirstTick) {
  ReminderRig rig("10.06.2024", "08:00:00");
  rig.add(makeAppointment("09.06.2024", "23:00", "Gestern"));
  startDueCheck(*rig.env);
  chkAll(*rig.env);
  ASSERT_EQ(rig.alert.shown.size(), 1u);
  EXPECT_EQ(rig.alert.shown[0].mode, 2);
}

TEST(DueAppointments, NothingIsDueBeforeTheTriggerMinuteOrInAnEmptyView) {
  ReminderRig rig("10.06.2024", "09:44:50");
  chkAll(*rig.env);  // empty table: nothing, however old the remembered values
  rig.add(makeAppointment("10.06.2024", "10:00", "Sitzung", kOnce, 15));  // trigger 09:45
  chkNext(*rig.env, "Test");
  chkAll(*rig.env);
  EXPECT_TRUE(rig.alert.shown.empty());
  rig.clock.set("10.06.2024", "09:45:00");
  chkAll(*rig.env);
  ASSERT_EQ(rig.alert.shown.size(), 1u);
  EXPECT_EQ(rig.alert.shown[0].title, "Aktueller Termin in 15 Minuten");
}

TEST(DueAppointments, FiledAppointmentsNeverBecomeDue) {
  ReminderRig rig("10.06.2024", "10:00:00");
  Appointment filed = makeAppointment("10.06.2024", "09:00", "Abgelegt");
  filed.QUIT = true;
  rig.add(filed);
  for (int view : {kViewCurrent, kViewToday, kViewFiled}) {
    setFilter(*rig.env, view);
    chkNext(*rig.env, "Test");
    chkAll(*rig.env);
  }
  EXPECT_TRUE(rig.alert.shown.empty());
  // Nor when a search in view 1 came first: the filed view stands on a filed record then.
  EXPECT_TRUE(rig.ctx.run.DN_DATE.empty());
}

// The filed view holds a record, so the table is not at its end there.
void addFiled(ReminderRig& rig) {
  Appointment filed = makeAppointment("01.06.2024", "09:00", "Abgelegt");
  filed.QUIT = true;
  rig.add(filed);
}

TEST(DueAppointments, FiledViewKeepsTheLastSearchButDoesNotRepeatAHandledAlert) {
  ReminderRig rig("10.06.2024", "09:59:00");
  addFiled(rig);
  const auto rec = rig.add(makeAppointment("10.06.2024", "10:00", "Wochenplan", kWeekly));
  chkNext(*rig.env, "Test");
  setFilter(*rig.env, kViewFiled);
  chkNext(*rig.env, "DlgTab");
  EXPECT_EQ(rig.ctx.run.NN_REC, static_cast<long>(rec));
  rig.alert.scripts.push_back({{AlertAction::Kill}, {}});
  rig.clock.set("10.06.2024", "10:00:00");
  chkAll(*rig.env);  // the values of the search in view 1 still make it due
  ASSERT_EQ(rig.alert.shown.size(), 1u);
  EXPECT_EQ(rig.at(rec).DATE, Date::fromDisplay("17.06.2024"));
  // The filed view did not search again; the moved appointment is not presented once more
  // (and not moved on a second week).
  for (int i = 0; i < 3; ++i) {
    rig.clock.advance(30);
    chkAll(*rig.env);
  }
  EXPECT_EQ(rig.alert.shown.size(), 1u);
  EXPECT_EQ(rig.at(rec).DATE, Date::fromDisplay("17.06.2024"));
}

TEST(DueAppointments, FiledViewStillRepeatsAnAlertClosedWithoutAction) {
  ReminderRig rig("10.06.2024", "10:00:00");
  addFiled(rig);
  rig.add(makeAppointment("10.06.2024", "10:00", "Wochenplan", kWeekly));
  chkNext(*rig.env, "Test");
  setFilter(*rig.env, kViewFiled);
  chkAll(*rig.env);
  rig.clock.advance(30);
  chkAll(*rig.env);
  EXPECT_EQ(rig.alert.shown.size(), 2u);
}

TEST(DueAppointments, WhatRingsDoesNotDependOnTheViewShown) {
  ReminderRig rig("10.06.2024", "23:00:00");
  addFiled(rig);
  // Tomorrow 00:10 with 30 minutes' lead: its alert is due tonight, yet it is not one of
  // today's appointments.
  const auto night = rig.add(makeAppointment("11.06.2024", "00:10", "Nachtschicht", kOnce, 30));
  for (int view : {kViewFiled, kViewToday}) {
    ASSERT_TRUE(setFilter(*rig.env, view));
    const std::uint32_t shown = rig.table->recNo();
    chkNext(*rig.env, "DlgTab");
    EXPECT_EQ(rig.ctx.run.NN_REC, static_cast<long>(night)) << view;
    // The list keeps its view and its record.
    EXPECT_EQ(rig.table->recNo(), shown);
    EXPECT_EQ(rig.table->table().order(), orderForView(view));
  }
  rig.clock.set("10.06.2024", "23:40:00");
  chkAll(*rig.env);
  ASSERT_EQ(rig.alert.shown.size(), 1u);
  EXPECT_EQ(rig.alert.shown[0].text, "Nachtschicht");
  EXPECT_EQ(rig.ctx.settings.NS_TODAY, kViewToday);
}

TEST(DueCheckDay, TheDayChangeRebuildsTodaysViewAndLogsIt) {
  ReminderRig rig("10.06.2024", "23:59:30");
  rig.ctx.run.DS_STARTDATE = rig.clock.today();
  rig.add(makeAppointment("11.06.2024", "09:00", "Morgen"));
  ASSERT_TRUE(setFilter(*rig.env, kViewToday));
  ASSERT_TRUE(rig.table->eof());  // nothing today
  rig.clock.set("11.06.2024", "00:00:10");
  chkAll(*rig.env);
  ASSERT_TRUE(rig.table->goTop().isOk());
  ASSERT_FALSE(rig.table->eof());
  EXPECT_EQ(rig.table->read()->TEXT, "Morgen");
  const auto lines = rig.logLines();
  EXPECT_EQ(count(lines, "(Im Timer) Indexe .NT3 und .NT4 neu aufgebaut"), 1);
}

TEST(DueAppointments, AutoInTheRepeatedAutumnHourWaitsItsRealMinutes) {
  test::BerlinTime berlin;
  ReminderRig rig("27.10.2024", "02:50:00");
  rig.ctx.settings.LS_SHOWOLD = true;
  rig.ctx.settings.NS_AUTOMIN = 15;
  rig.ctx.run.DS_STARTDATE = rig.clock.today();
  const Date day = Date::fromDisplay("27.10.2024");
  rig.clock.set(Moment{day, 2 * 3600 + 50 * 60, 1});  // the first pass, summer time
  const auto rec = rig.add(makeAppointment("27.10.2024", "01:50", "Nachtdienst"));
  rig.alert.scripts.push_back({{AlertAction::Auto}, {}});
  startDueCheck(*rig.env);  // presented as missed; "Aut&o" for 15 minutes
  ASSERT_EQ(rig.alert.shown.size(), 1u);
  EXPECT_EQ(rig.at(rec).TTIME, "02:05");  // of the second pass
  chkAll(*rig.env);
  rig.clock.set(Moment{day, 2 * 3600 + 58 * 60, 1});
  chkAll(*rig.env);
  EXPECT_EQ(rig.alert.shown.size(), 1u);             // not yet, nor as a missed one
  rig.clock.set(Moment{day, 2 * 3600 + 5 * 60, 0});  // 15 real minutes on
  chkAll(*rig.env);
  ASSERT_GE(rig.alert.shown.size(), 2u);
  EXPECT_EQ(rig.alert.shown[1].mode, kAlertCurrent);
}

// A timer event that arrives while a tick waits (here: in the wake-up wait) must not start a
// second tick inside the first.
class ReenteringWait : public WaitPort {
 public:
  void waitOneSecond() override {
    ++passes;
    timerWasRunning = timerWasRunning || rig->timer.on;
    chkAll(*rig->env);
  }
  void whileWaiting() override {}
  ReminderRig* rig = nullptr;
  int passes = 0;
  bool timerWasRunning = false;
};

class SlowWakeUp : public test::FakeWakeUp {
 public:
  bool jobExists() override { return ++checks > 2; }
  int checks = 0;
};

TEST(DueCheckTimer, ATickIsNeverEnteredAgainWhileItRuns) {
  ReminderRig rig("10.06.2024", "08:00:00");
  ReenteringWait wait;
  wait.rig = &rig;
  SlowWakeUp wakeUp;
  rig.env = std::make_unique<ReminderEnv>(rig.ctx, *rig.table,
                                          ReminderPorts{rig.timer, rig.window, rig.alert, rig.sound,
                                                        rig.launcher, rig.mail, wakeUp, wait});
  rig.ctx.settings.LS_WAKEUP = true;
  rig.ctx.settings.LS_SHOWOLD = true;
  rig.add(makeAppointment("10.06.2024", "08:00", "Jetzt"));
  rig.add(makeAppointment("10.06.2024", "09:00", "Später"));
  rig.add(makeAppointment("10.06.2024", "07:00", "Verpasst"));
  rig.alert.scripts.push_back({{AlertAction::Kill}, {}});
  rig.alert.scripts.push_back({{AlertAction::Kill}, {}});
  rig.ctx.run.DS_STARTDATE = rig.clock.today();
  chkAll(*rig.env);
  EXPECT_GT(wait.passes, 0);
  EXPECT_FALSE(wait.timerWasRunning);
  EXPECT_EQ(rig.window.pendingRuns, 1);  // only the outer tick ran to its end
  EXPECT_GE(count(rig.logLines(), "(Im Timer) Timer läuft noch - kein zweiter Durchlauf"), 1);
  EXPECT_TRUE(rig.timer.on);
}

TEST(Views, SetFilterChoosesOrderPaneTextAndTheViewSetting) {
  ReminderRig rig("10.06.2024", "08:00:00");
  rig.add(makeAppointment("11.06.2024", "09:00", "Morgen"));
  const auto today = rig.add(makeAppointment("10.06.2024", "17:00", "Heute"));
  Appointment filed = makeAppointment("01.06.2024", "09:00", "Alt");
  filed.QUIT = true;
  const auto old = rig.add(filed);

  struct Case {
    int view;
    const char* pane;
    const char* first;
  } cases[] = {{1, "Aktuelle", "Heute"}, {2, "Heutige", "Heute"}, {3, "Abgelegte", "Alt"}};
  for (const Case& c : cases) {
    EXPECT_TRUE(setFilter(*rig.env, c.view));
    EXPECT_EQ(rig.ctx.settings.NS_TODAY, c.view);
    EXPECT_EQ(rig.ui.viewPane, c.pane);
    EXPECT_EQ(rig.table->read()->TEXT, c.first) << c.view;
  }
  EXPECT_EQ(rig.table->recNo(), old);

  EXPECT_FALSE(setFilter(*rig.env, 4));
  EXPECT_EQ(rig.ui.messages, std::vector<std::string>{"Filter: Fehler"});
  EXPECT_EQ(rig.ctx.settings.NS_TODAY, 3);
  EXPECT_EQ(rig.ui.viewPane, "Abgelegte");
  (void)today;
}

TEST(NextAppointment, RemembersTheFirstOfTheViewAndMovesTheListToIt) {
  ReminderRig rig("10.06.2024", "08:00:00");
  rig.add(makeAppointment("12.06.2024", "09:00", "Später"));
  const auto first = rig.add(makeAppointment("11.06.2024", "09:00", "Früher\nzweite Zeile", 1, 30));
  chkNext(*rig.env, "BarEdit");
  EXPECT_EQ(rig.ctx.run.DN_DATE, Date::fromDisplay("11.06.2024"));
  EXPECT_EQ(rig.ctx.run.CN_TIME, "08:30");
  EXPECT_EQ(rig.ctx.run.NN_REC, static_cast<long>(first));
  EXPECT_EQ(rig.ctx.run.NN_WEEK, 24);
  EXPECT_EQ(rig.window.count("listToFirstRow"), 1);
  EXPECT_TRUE(rig.window.tooltips.empty());
  EXPECT_EQ(count(rig.logLines(), "(ChkNext) Nächster Termin am: 11.06.2024 um: 08:30 Früher"), 1);
}

TEST(NextAppointment, HiddenWindowGetsTheTrayTooltipWhereWakingUpWorks) {
  ReminderRig rig("10.06.2024", "08:00:00");
  rig.add(makeAppointment("11.06.2024", "09:00", "Zahnarzt"));
  rig.ctx.run.LS_WNDHIDDEN = true;
  rig.ctx.run.LS_WNDSHOWN = false;
  chkNext(*rig.env, "Test");
  EXPECT_TRUE(rig.window.tooltips.empty());  // LWINXP off
  rig.ctx.run.LWINXP = true;
  chkNext(*rig.env, "Test");
  EXPECT_EQ(rig.window.tooltips, std::vector<std::string>{"Zorvane - 11.06.2024 - 09:00 Zahnarzt"});
  EXPECT_EQ(count(rig.logLines(), "(ChkNext) lAppHide = .T.  lShow = .F."), 2);
}

TEST(NextAppointment, WakeUpJobOnlyForATriggerStillAhead) {
  ReminderRig rig("10.06.2024", "08:00:00");
  rig.ctx.settings.LS_WAKEUP = true;
  chkNext(*rig.env, "Test");  // empty view: no alarm date, no job
  EXPECT_TRUE(rig.wakeUp.jobs.empty());
  const auto rec = rig.add(makeAppointment("10.06.2024", "08:00", "Jetzt"));
  chkNext(*rig.env, "Test");  // due now, not ahead
  EXPECT_TRUE(rig.wakeUp.jobs.empty());
  Appointment a = rig.at(rec);
  a.TTIME = "08:01";
  ASSERT_TRUE(rig.table->write(a).isOk());
  chkNext(*rig.env, "Test");
  EXPECT_EQ(rig.wakeUp.jobs, std::vector<std::string>{"10.06.2024 07:59:00"});
}

TEST(NextAppointment, TheTimerChecksAtTheTriggerAndAPassedTriggerOnceAtOnce) {
  using std::chrono::milliseconds;
  ReminderRig rig("10.06.2024", "08:58:40");
  chkNext(*rig.env, "Test");  // nothing waiting
  const auto rec = rig.add(makeAppointment("10.06.2024", "09:00", "Gleich"));
  chkNext(*rig.env, "Test");  // 80 seconds ahead: at 09:00:00 sharp
  rig.clock.set("10.06.2024", "09:00:30");
  chkNext(*rig.env, "Test");  // passed: once at once
  chkNext(*rig.env, "Test");  // still there (it could not be presented): the periodic checks
  Appointment a = rig.at(rec);
  a.TTIME = "09:01";
  ASSERT_TRUE(rig.table->write(a).isOk());
  chkNext(*rig.env, "Test");
  a.TTIME = "09:00";
  ASSERT_TRUE(rig.table->write(a).isOk());
  chkNext(*rig.env, "Test");  // passed again after it was ahead: a new chance
  const std::vector<std::optional<milliseconds>> expected{std::nullopt,        milliseconds(80000),
                                                          milliseconds(0),     std::nullopt,
                                                          milliseconds(30000), milliseconds(0)};
  EXPECT_EQ(rig.timer.checks, expected);
}

}  // namespace
}  // namespace zrv
