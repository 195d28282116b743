// The alert's buttons and the list's deletion on real records, including a record that another
// process holds locked.
#include "reminder/alert_actions.h"

#include <gtest/gtest.h>

#include "reminder/recurrence.h"
#include "reminder/show_termin.h"
#include "support/lock_holder.h"
#include "support/reminder_rig.h"

namespace zrv {
namespace {

using test::makeAppointment;
using test::ReminderRig;

bool hasLine(const ReminderRig& rig, const std::string& line) {
  const auto lines = rig.logLines();
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Shows record `rec` as the current appointment with the given button presses.
void pressOn(ReminderRig& rig, std::uint32_t rec, std::vector<AlertAction> presses) {
  rig.alert.scripts.push_back({std::move(presses), {}});
  showTermin(*rig.env, rec, 2);
}

TEST(KillTermin, RepeatingMovesOnWithoutAQuestion) {
  ReminderRig rig("10.06.2024", "10:00:00");
  const auto rec = rig.add(makeAppointment("10.06.2024", "10:00", "Täglich", kDaily));
  pressOn(rig, rec, {AlertAction::Kill});
  EXPECT_EQ(rig.alert.results, std::vector<bool>{true});
  EXPECT_EQ(rig.at(rec).DATE, Date::fromDisplay("11.06.2024"));
  EXPECT_TRUE(rig.ui.questions.empty());
}

TEST(KillTermin, OverdueSeriesAsksOnceAndMovesToItsFirstOccurrenceAhead) {
  ReminderRig rig("01.07.2024", "09:00:00");
  const auto rec = rig.add(makeAppointment("10.06.2024", "08:00", "Wochenplan", kWeekly));
  pressOn(rig, rec, {AlertAction::Kill});
  ASSERT_EQ(rig.alert.shown.size(), 1u);
  const std::string& line = rig.alert.shown[0].repetitionText;
  EXPECT_NE(line.find("3 Wiederholungen verpasst"), std::string::npos) << line;
  EXPECT_EQ(rig.at(rec).DATE, Date::fromDisplay("08.07.2024"));
  EXPECT_TRUE(hasLine(rig,
                      "(GenTermin) 3 verpasste Wiederholungen übersprungen - Next: 08.07.2024 "
                      "08:00"));
}

TEST(KillTermin, UnknownKindIsFinishedInsteadOfComingBackEveryTick) {
  ReminderRig rig("10.06.2024", "10:00:00");
  rig.ctx.settings.LS_SLOESCH = true;
  const auto rec = rig.add(makeAppointment("10.06.2024", "10:00", "Fremd", 9));
  pressOn(rig, rec, {AlertAction::Kill});
  EXPECT_TRUE(rig.isDeleted(rec));
  EXPECT_TRUE(hasLine(rig,
                      "(GenTermin) Unbekannte Wiederholung 9 - Termin wird wie ein "
                      "einmaliger beendet"));
}

TEST(KillTermin, FinishedOnceOnlyIsDeletedOrFiledAsTheUserSays) {
  ReminderRig rig("10.06.2024", "10:00:00");
  const auto yes = rig.add(makeAppointment("10.06.2024", "10:00", "Ja"));
  const auto no = rig.add(makeAppointment("10.06.2024", "10:00", "Nein"));
  rig.ui.answers = {true, false};
  pressOn(rig, yes, {AlertAction::Kill});
  pressOn(rig, no, {AlertAction::Kill});
  EXPECT_EQ(rig.ui.questions, (std::vector<std::string>{"Löschen: Diesen Termin löschen ?",
                                                        "Löschen: Diesen Termin löschen ?"}));
  EXPECT_TRUE(rig.isDeleted(yes));
  EXPECT_TRUE(rig.ctx.run.LS_PACK);
  EXPECT_FALSE(rig.isDeleted(no));
  EXPECT_TRUE(rig.at(no).QUIT);
  EXPECT_TRUE(hasLine(rig, "(KillTermin) Termin gelöscht"));
  EXPECT_TRUE(hasLine(rig, "(KillTermin) Termin abgelegt"));
}

TEST(KillTermin, SloeschDeletesWithoutAsking) {
  ReminderRig rig("10.06.2024", "10:00:00");
  rig.ctx.settings.LS_SLOESCH = true;
  const auto rec = rig.add(makeAppointment("10.06.2024", "10:00", "Weg"));
  pressOn(rig, rec, {AlertAction::Kill});
  EXPECT_TRUE(rig.isDeleted(rec));
  EXPECT_TRUE(rig.ui.questions.empty());
  EXPECT_TRUE(hasLine(rig, "(KillTermin) Termin automatisch gelöscht"));
}

TEST(KillTermin, SeriesAtItsEndDateIsFinishedInsteadOfGoingOn) {
  ReminderRig rig("24.06.2024", "10:00:00");
  Appointment a = makeAppointment("24.06.2024", "10:00", "Kurs", kWeekly);
  a.REPDATE = Date::fromDisplay("30.06.2024");
  const auto rec = rig.add(a);
  rig.ui.answers = {false};
  pressOn(rig, rec, {AlertAction::Kill});
  ASSERT_EQ(rig.alert.shown.size(), 1u);
  EXPECT_FALSE(rig.alert.shown[0].repeating);  // the button reads "&Löschen"
  const Appointment after = rig.at(rec);
  EXPECT_TRUE(after.QUIT);
  EXPECT_EQ(after.DATE, Date::fromDisplay("24.06.2024"));
}

TEST(KillTermin, PostponedOnceOnlyMovesOnceMoreUnderVwOrig) {
  ReminderRig rig("10.06.2024", "13:30:00");
  rig.ctx.settings.LS_VWORIG = true;
  Appointment a = makeAppointment("10.06.2024", "13:45", "Verlegt", kOnce, 15);
  a.TIMEVON = "14:00";
  const auto rec = rig.add(a);
  pressOn(rig, rec, {AlertAction::Kill});
  const Appointment after = rig.at(rec);
  EXPECT_FALSE(after.QUIT);
  EXPECT_EQ(after.TIME, "14:00");
  EXPECT_EQ(after.TTIME, "13:45");
  EXPECT_TRUE(rig.ui.questions.empty());
}

TEST(AutoWieder, PresentsAgainAfterTheAutoMinutesAcrossMidnight) {
  struct Case {
    const char* now;
    const char* date;
    const char* time;
  } cases[] = {{"14:55:20", "10.06.2024", "15:05"}, {"23:55:00", "11.06.2024", "00:05"}};
  for (const Case& c : cases) {
    ReminderRig rig("10.06.2024", c.now);
    const auto rec = rig.add(makeAppointment("10.06.2024", "14:00", "Später", kOnce, 5));
    pressOn(rig, rec, {AlertAction::Auto});
    const Appointment a = rig.at(rec);
    EXPECT_EQ(a.TDATE, Date::fromDisplay(c.date)) << c.now;
    EXPECT_EQ(a.TTIME, c.time) << c.now;
    EXPECT_TRUE(a.LAUTO);
    EXPECT_EQ(a.DATE, Date::fromDisplay("10.06.2024"));
    EXPECT_EQ(a.TIME, "14:00");
    EXPECT_EQ(a.TIMEVON, "14:00");
    EXPECT_TRUE(hasLine(rig, std::string("(AutoWieder) Automatische Wiedervorlage am: ") + c.date +
                                 " um: " + c.time));
  }
}

TEST(AutoWieder, ButtonIsDisabledWithoutAutoMinutes) {
  ReminderRig rig("10.06.2024", "10:00:00");
  rig.ctx.settings.NS_AUTOMIN = 0;
  const auto rec = rig.add(makeAppointment("10.06.2024", "10:00", "Ohne"));
  showTermin(*rig.env, rec, 2);
  ASSERT_EQ(rig.alert.shown.size(), 1u);
  EXPECT_FALSE(rig.alert.shown[0].autoEnabled);
}

TEST(VerlTermin, MovesDateTimeAndTriggerByTheLeadTime) {
  for (int lead : {15, 0}) {
    ReminderRig rig("10.06.2024", "10:00:00");
    const auto rec = rig.add(makeAppointment("10.06.2024", "10:30", "Besuch", kOnce, lead));
    rig.alert.postponements.push_back(Postponement{Date::fromDisplay("10.06.2024"), "14:00"});
    pressOn(rig, rec, {AlertAction::Move});
    EXPECT_EQ(rig.alert.results, std::vector<bool>{true});
    ASSERT_EQ(rig.alert.postponementStarts.size(), 1u);
    EXPECT_EQ(rig.alert.postponementStarts[0].first, rig.clock.today());
    EXPECT_EQ(rig.alert.postponementStarts[0].second, "10:30");
    const Appointment a = rig.at(rec);
    EXPECT_EQ(a.TIMEVON, "14:00");
    EXPECT_EQ(a.TIME, lead ? "13:45" : "14:00");
    EXPECT_EQ(a.TTIME, lead ? "13:30" : "14:00");
    EXPECT_EQ(a.TDATE, Date::fromDisplay("10.06.2024"));
    EXPECT_FALSE(a.LAUTO);
  }
}

TEST(VerlTermin, ShortlyAfterMidnightTheDatesGoBackADay) {
  ReminderRig rig("10.06.2024", "10:00:00");
  const auto rec = rig.add(makeAppointment("10.06.2024", "10:30", "Nacht", kOnce, 15));
  rig.alert.postponements.push_back(Postponement{Date::fromDisplay("12.06.2024"), "00:10"});
  pressOn(rig, rec, {AlertAction::Move});
  const Appointment a = rig.at(rec);
  EXPECT_EQ(a.DATE, Date::fromDisplay("11.06.2024"));
  EXPECT_EQ(a.TIME, "23:55");
  EXPECT_EQ(a.TIMEVON, "00:10");
  EXPECT_EQ(a.TDATE, Date::fromDisplay("11.06.2024"));
  EXPECT_EQ(a.TTIME, "23:40");
}

TEST(VerlTermin, CancelAndBadInputKeepTheAlertOpenAndTheRecordUnchanged) {
  ReminderRig rig("10.06.2024", "10:00:00");
  const auto rec = rig.add(makeAppointment("10.06.2024", "10:00", "Bleibt"));
  const Appointment before = rig.at(rec);
  rig.alert.postponements.push_back(std::nullopt);  // "&Abbrechen"
  rig.alert.postponements.push_back(Postponement{Date::fromDisplay("11.06.2024"), "ab:cd"});
  rig.alert.postponements.push_back(Postponement{Date::fromDisplay("11.06.2024"), "25:00"});
  rig.alert.postponements.push_back(Postponement{Date(), "10:00"});
  pressOn(rig, rec, {AlertAction::Move, AlertAction::Move, AlertAction::Move, AlertAction::Move});
  EXPECT_EQ(rig.alert.results, (std::vector<bool>{false, false, false, false}));
  EXPECT_EQ(rig.at(rec), before);
  EXPECT_EQ(rig.ui.messages.size(), 3u);
  // The lock was given back each time: a further action succeeds.
  pressOn(rig, rec, {AlertAction::File});
  EXPECT_TRUE(rig.at(rec).QUIT);
}

TEST(AblegTermin, FilesTheAppointmentOutOfTheCurrentView) {
  ReminderRig rig("10.06.2024", "10:00:00");
  Appointment a = makeAppointment("10.06.2024", "10:00", "Ablage", kWeekly);
  a.LAUTO = true;
  const auto rec = rig.add(a);
  pressOn(rig, rec, {AlertAction::File});
  const Appointment after = rig.at(rec);
  EXPECT_TRUE(after.QUIT);
  EXPECT_FALSE(after.LAUTO);
  EXPECT_EQ(after.DATE, a.DATE);
  EXPECT_TRUE(hasLine(rig, "(AblegTermin) Termin abgelegt"));
  ASSERT_TRUE(rig.table->setView(1).isOk());
  EXPECT_TRUE(rig.table->eof());
}

TEST(DelTermin, DeletesOnlyAfterYes) {
  ReminderRig rig("10.06.2024", "10:00:00");
  const auto rec = rig.add(makeAppointment("11.06.2024", "10:00", "Liste"));
  ASSERT_TRUE(rig.table->goTo(rec).isOk());
  EXPECT_FALSE(delTermin(*rig.env));  // "No" is preselected
  EXPECT_EQ(rig.ui.questions, std::vector<std::string>{"Frage: Diesen Termin löschen ?"});
  EXPECT_FALSE(rig.isDeleted(rec));
  EXPECT_FALSE(rig.ctx.run.LS_PACK);
  rig.ui.answers = {true};
  EXPECT_TRUE(delTermin(*rig.env));
  EXPECT_TRUE(rig.isDeleted(rec));
  EXPECT_TRUE(rig.ctx.run.LS_PACK);
  EXPECT_EQ(rig.sound.names(), std::vector<std::string>{"Geloescht.wav"});
}

// The table is shared here (as in network mode), so that another process can hold a record lock:
// opened exclusively, the table cannot be opened by a second program at all and record locks
// always succeed.
class LockedRecord : public ::testing::Test {
 protected:
  LockedRecord() : rig("10.06.2024", "10:00:00", OpenMode::kShared) {
    rec = rig.add(makeAppointment("10.06.2024", "10:00", "Gesperrt", kWeekly));
    before = rig.at(rec);
  }
  ReminderRig rig;
  std::uint32_t rec = 0;
  Appointment before;
};

TEST_F(LockedRecord, EveryButtonReportsItAndLeavesTheRecordAlone) {
  {
    test::RecordLockHolder other(rig.base(), rec);
    ASSERT_TRUE(other.holding());
    pressOn(rig, rec, {AlertAction::Kill, AlertAction::Auto, AlertAction::Move, AlertAction::File});
    ASSERT_TRUE(rig.table->goTo(rec).isOk());
    EXPECT_FALSE(delTermin(*rig.env));  // silently
  }
  EXPECT_EQ(rig.alert.results, (std::vector<bool>{false, false, false, false}));
  EXPECT_EQ(rig.ui.messages, (std::vector<std::string>{
                                 "Datensatz gesperrt: Kann Änderungen nicht speichern !",
                                 "Datensatz gesperrt: Kann Änderungen nicht speichern !",
                                 "Datensatz gesperrt: Kann Termin nicht speichern !",
                                 "Datensatz gesperrt: Kann Termin nicht speichern !",
                             }));
  EXPECT_TRUE(rig.ui.questions.empty());
  EXPECT_TRUE(rig.alert.postponementStarts.empty());
  EXPECT_EQ(rig.at(rec), before);
  EXPECT_TRUE(hasLine(rig, "(AutoWieder) Automatische Wiedervorlage - Speichern - FEHLER"));
  EXPECT_TRUE(hasLine(rig, "(VerlTermin) Termin verlegen - FEHLER"));
  EXPECT_TRUE(hasLine(rig, "(AblegTermin) Termin abgelegen - FEHLER"));
}

TEST_F(LockedRecord, TheAlertCanBeDealtWithOnceTheLockIsGone) {
  auto other = std::make_unique<test::RecordLockHolder>(rig.base(), rec);
  ASSERT_TRUE(other->holding());
  pressOn(rig, rec, {AlertAction::Kill});
  other.reset();
  pressOn(rig, rec, {AlertAction::Kill});
  EXPECT_EQ(rig.alert.results, (std::vector<bool>{false, true}));
  EXPECT_EQ(rig.at(rec).DATE, Date::fromDisplay("17.06.2024"));
}

TEST_F(LockedRecord, MailedAppointmentIsLeftWithALogbookLine) {
  Appointment a = rig.at(rec);
  a.EMAIL = "chef@example.org";
  ASSERT_TRUE(rig.table->write(a).isOk());
  ASSERT_TRUE(rig.table->commit().isOk());
  {
    test::RecordLockHolder other(rig.base(), rec);
    ASSERT_TRUE(other.holding());
    showTermin(*rig.env, rec, 2);
  }
  EXPECT_EQ(rig.mail.sent.size(), 1u);
  EXPECT_TRUE(rig.alert.shown.empty());
  EXPECT_TRUE(hasLine(rig, "(ShowTermin) Datensatz gesperrt - kein Speichern !"));
  EXPECT_EQ(rig.at(rec), a);
  EXPECT_TRUE(rig.ui.messages.empty());
}

}  // namespace
}  // namespace zrv
