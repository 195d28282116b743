// The search for missed appointments: which are presented, which are dropped, and that the
// search always ends.
#include "reminder/missed_appointments.h"

#include <gtest/gtest.h>

#include "reminder/recurrence.h"
#include "reminder/views.h"
#include "support/berlin_time.h"
#include "support/lock_holder.h"
#include "support/reminder_rig.h"

namespace zrv {
namespace {

using test::makeAppointment;
using test::ReminderRig;

Appointment missed(const std::string& date, const std::string& time, const std::string& text,
                   int nichtMehr, int vorlage = kOnce) {
  Appointment a = makeAppointment(date, time, text, vorlage);
  a.NICHTMEHR = nichtMehr;
  return a;
}

std::vector<std::string> linesOf(const ReminderRig& rig, const std::string& place) {
  std::vector<std::string> out;
  for (const std::string& l : rig.logLines())
    if (l.rfind("(" + place + ") ", 0) == 0) out.push_back(l);
  return out;
}

TEST(ChkOlds, PresentsRecentDropsLateAndKeepsTheCurrentRecord) {
  ReminderRig rig("10.06.2024", "12:00:30");
  rig.ctx.settings.LS_SHOWOLD = true;
  rig.ctx.settings.LS_SLOESCH = true;
  const auto always = rig.add(missed("09.06.2024", "20:00", "Unbedingt", 0));
  const auto recent = rig.add(missed("10.06.2024", "11:50", "Bedingt", 10));
  const auto lateOnce = rig.add(missed("10.06.2024", "11:00", "Zu spät einmal", 10));
  const auto lateWeekly =
      rig.add(missed("10.06.2024", "11:00", "Zu spät wöchentlich", 10, kWeekly));
  const auto ahead = rig.add(missed("10.06.2024", "12:30", "Später", 0));
  rig.alert.scripts.push_back({{AlertAction::Kill}, {}});
  rig.alert.scripts.push_back({{AlertAction::Kill}, {}});
  ASSERT_TRUE(rig.table->goTo(ahead).isOk());

  EXPECT_TRUE(chkOlds(*rig.env));
  EXPECT_EQ(rig.table->recNo(), ahead);

  ASSERT_EQ(rig.alert.shown.size(), 2u);
  EXPECT_EQ(rig.alert.shown[0].text, "Unbedingt");
  EXPECT_EQ(rig.alert.shown[0].mode, 1);
  EXPECT_EQ(rig.alert.shown[1].text, "Bedingt");
  EXPECT_TRUE(rig.isDeleted(always));
  EXPECT_TRUE(rig.isDeleted(recent));
  EXPECT_TRUE(rig.isDeleted(lateOnce));
  EXPECT_EQ(rig.at(lateWeekly).DATE, Date::fromDisplay("17.06.2024"));
  EXPECT_FALSE(rig.isDeleted(ahead));
  EXPECT_EQ(linesOf(rig, "ChkOlds"),
            (std::vector<std::string>{
                "(ChkOlds) Verpassten Termin suchen",
                "(ChkOlds) Verpasster Termin unbedingt 09.06.2024 Unbedingt",
                "(ChkOlds) Verpassten Termin löschen 10.06.2024 Zu spät einmal",
                "(ChkOlds) Verpassten Termin löschen 10.06.2024 Zu spät wöchentlich",
                "(ChkOlds) Verpasster Termin bedingt 10.06.2024 10 Bedingt",
            }));
  EXPECT_EQ(rig.ui.busyDepth, 0);
  EXPECT_TRUE(rig.timer.on);  // resumed after each alert
}

TEST(ChkOlds, LateSeriesAtItsEndIsDeletedInsteadOfMovedOnForEver) {
  ReminderRig rig("20.06.2024", "12:00:00");
  rig.ctx.settings.LS_SHOWOLD = true;
  rig.ctx.settings.LS_SLOESCH = true;
  Appointment a = missed("01.06.2024", "09:00", "Abgelaufen", 5, kDaily);
  a.REPDATE = Date::fromDisplay("05.06.2024");
  const auto rec = rig.add(a);
  chkOlds(*rig.env);
  EXPECT_TRUE(rig.isDeleted(rec));
  // The 1st moved on past the passed ones to the 5th, the last occurrence; that one ended.
  EXPECT_EQ(linesOf(rig, "ChkOlds").size(), 1u + 2u);
}

TEST(ChkOlds, LateLastOccurrenceIsFiledWhenDeletingIsOff) {
  ReminderRig rig("20.06.2024", "12:00:00");
  rig.ctx.settings.LS_SHOWOLD = true;
  const auto once = rig.add(missed("19.06.2024", "09:00", "Einmal zu spät", 5));
  Appointment a = missed("01.06.2024", "09:00", "Serie zu Ende", 5, kDaily);
  a.REPDATE = Date::fromDisplay("05.06.2024");
  const auto series = rig.add(a);
  chkOlds(*rig.env);
  for (const auto rec : {once, series}) {
    EXPECT_FALSE(rig.isDeleted(rec));
    EXPECT_TRUE(rig.at(rec).QUIT);
  }
  EXPECT_FALSE(rig.ctx.run.LS_PACK);
  const auto lines = linesOf(rig, "ChkOlds");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "(ChkOlds) Termin abgelegt"), 2);
}

TEST(ChkOlds, LooksAtTheCurrentAppointmentsWhateverViewIsShown) {
  ReminderRig rig("10.06.2024", "12:00:00");
  rig.ctx.settings.LS_SHOWOLD = true;
  Appointment filed = makeAppointment("01.06.2024", "09:00", "Abgelegt");
  filed.QUIT = true;
  const auto f = rig.add(filed);
  const auto yesterday = rig.add(missed("09.06.2024", "09:00", "Gestern", 0));
  for (int view : {kViewFiled, kViewToday}) {
    ASSERT_TRUE(setFilter(*rig.env, view));
    ASSERT_TRUE(rig.table->goTo(f).isOk());
    chkOlds(*rig.env);
    EXPECT_EQ(rig.table->recNo(), f);
    EXPECT_EQ(rig.table->table().order(), orderForView(view));
  }
  ASSERT_EQ(rig.alert.shown.size(), 2u);
  EXPECT_EQ(rig.alert.shown[1].text, "Gestern");
  EXPECT_FALSE(rig.at(yesterday).QUIT);
}

TEST(ChkOlds, LateHourlyAppointmentCatchesUpToNow) {
  ReminderRig rig("10.06.2024", "12:10:00");
  rig.ctx.settings.LS_SHOWOLD = true;
  const auto rec = rig.add(missed("10.06.2024", "08:00", "Stündlich", 5, kHourly));
  chkOlds(*rig.env);
  const Appointment a = rig.at(rec);
  EXPECT_EQ(a.TIME, "13:00");
  EXPECT_EQ(a.TTIME, "13:00");
  EXPECT_TRUE(rig.alert.shown.empty());
}

TEST(ChkOlds, DoesNotSpinOnRecordsItCannotChange) {
  ReminderRig rig("10.06.2024", "12:00:00", OpenMode::kShared);
  rig.ctx.settings.LS_SHOWOLD = true;
  const auto closed = rig.add(missed("10.06.2024", "09:00", "Fenster geschlossen", 0));
  const auto locked = rig.add(missed("10.06.2024", "09:30", "Gesperrt", 10));
  const auto other = rig.add(missed("10.06.2024", "10:00", "Sonstiges", 10, 0));
  const auto noMonth = rig.add(missed("10.06.2024", "10:30", "Kein Monat", 10, kMonthly));
  Appointment m = rig.at(noMonth);
  m.MONTH = "------------";
  ASSERT_TRUE(rig.table->write(m).isOk());
  ASSERT_TRUE(rig.table->commit().isOk());
  const auto after = rig.add(missed("10.06.2024", "11:00", "Danach", 10));
  {
    test::RecordLockHolder holder(rig.base(), locked);
    ASSERT_TRUE(holder.holding());
    chkOlds(*rig.env);  // the alert of the first is closed without an action
  }
  EXPECT_EQ(rig.alert.shown.size(), 1u);
  EXPECT_FALSE(rig.isDeleted(closed));
  EXPECT_FALSE(rig.isDeleted(locked));
  // An unknown kind ends like a once-only appointment; an empty month mask counts as every
  // month.
  EXPECT_TRUE(rig.at(other).QUIT);
  EXPECT_EQ(rig.at(noMonth).DATE, Date::fromDisplay("10.07.2024"));
  EXPECT_TRUE(rig.at(after).QUIT);  // the search went on past them
  const auto lines = linesOf(rig, "ChkOlds");
  EXPECT_EQ(
      std::count(lines.begin(), lines.end(), "(ChkOlds) Datensatz gesperrt - kein Speichern !"), 1);
}

TEST(ChkOlds, ToleranceCountsRealMinutesAcrossTheSpringClockChange) {
  test::BerlinTime berlin;
  ReminderRig rig("31.03.2024", "03:05:00");
  rig.clock.set(Moment{Date::fromDisplay("31.03.2024"), 3 * 3600 + 5 * 60, 1});
  rig.ctx.settings.LS_SHOWOLD = true;
  const auto rec = rig.add(missed("31.03.2024", "01:55", "Zehn Minuten", 30));
  chkOlds(*rig.env);
  ASSERT_EQ(rig.alert.shown.size(), 1u);  // 10 minutes late, not 70: shown, not dropped
  EXPECT_FALSE(rig.at(rec).QUIT);
}

TEST(ChkOlds, DoesNothingButLogWhenSwitchedOff) {
  ReminderRig rig("10.06.2024", "12:00:00");
  const auto rec = rig.add(missed("09.06.2024", "09:00", "Gestern", 10));
  const Appointment before = rig.at(rec);
  chkOlds(*rig.env);
  EXPECT_EQ(rig.at(rec), before);
  EXPECT_EQ(linesOf(rig, "ChkOlds"), (std::vector<std::string>{
                                         "(ChkOlds) Verpassten Termin suchen",
                                     }));
}

TEST(ChkOlds, TriggerPassedButOwnTimeAheadIsShownNotDeleted) {
  ReminderRig rig("10.06.2024", "11:50:00");
  rig.ctx.settings.LS_SHOWOLD = true;
  Appointment a = missed("10.06.2024", "12:00", "Vorwarnung", 0);
  a.WARNMIN = 15;  // trigger 11:45
  const auto rec = rig.add(a);
  chkOlds(*rig.env);
  EXPECT_EQ(rig.alert.shown.size(), 1u);
  EXPECT_FALSE(rig.isDeleted(rec));
}

}  // namespace
}  // namespace zrv
