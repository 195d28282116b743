// The editor's endings on a real table: what a save writes (the trigger by the trigger rule,
// the kind code, the day of month), filing and reactivating, cancelling a new appointment, and
// a record that is locked or was changed elsewhere while the editor was open.
#include "editor/editor_session.h"

#include <gtest/gtest.h>

#include "editor/editor_values.h"
#include "editor/file_choice.h"
#include "reminder/recurrence.h"
#include "reminder/views.h"
#include "support/lock_holder.h"
#include "support/reminder_rig.h"

namespace zrv {
namespace {

using test::makeAppointment;
using test::ReminderRig;

long recordCount(ReminderRig& rig) {
  long n = 0;
  for ((void)rig.table->table().goTop(); !rig.table->table().eof();
       (void)rig.table->table().skip(1))
    ++n;
  return n;
}

Appointment saveNew(ReminderRig& rig, const std::string& time, const std::string& lead,
                    int kind = 1) {
  auto s = EditorSession::open(*rig.env, 0, true, "Zahnarzt");
  EXPECT_TRUE(s);
  if (!s) return {};
  s->values().time = time;
  s->values().leadTime = lead;
  s->values().kind = kind;
  EXPECT_EQ(s->save(SaveMode::Save), SaveResult::Saved);
  return rig.at(s->savedRecno());
}

TEST(EditorSave, ANewAppointmentGetsItsTriggerByTheLeadTime) {
  ReminderRig rig("10.06.2024", "09:00:00");
  const Appointment a = saveNew(rig, "14:00", "15 ");
  EXPECT_EQ(a.DATE, Date::fromDisplay("10.06.2024"));
  EXPECT_EQ(a.TIME, "14:00");
  EXPECT_EQ(a.TIMEVON, "14:00");
  EXPECT_EQ(a.TDATE, Date::fromDisplay("10.06.2024"));
  EXPECT_EQ(a.TTIME, "13:45");
  EXPECT_EQ(a.WARNMIN, 15);
  EXPECT_EQ(a.TEXT, "Zahnarzt");
  EXPECT_EQ(a.NICHTMEHR, 10);
  EXPECT_EQ(a.VORLAGE, kOnce);
  EXPECT_FALSE(a.LAUTO);
  const auto lines = rig.logLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "(EditTermin) Vorwarntermin berechnen 10.06.2024 14:00:00"),
            lines.end());

  // Lines are kept with CR LF, as on Windows, and shown with plain line feeds.
  auto lines2 = EditorSession::open(*rig.env, 0, true, "Zeile 1\nZeile 2");
  ASSERT_TRUE(lines2);
  ASSERT_EQ(lines2->save(SaveMode::Save), SaveResult::Saved);
  EXPECT_EQ(rig.at(lines2->savedRecno()).TEXT, "Zeile 1\r\nZeile 2");
  EXPECT_EQ(EditorSession::open(*rig.env, lines2->savedRecno(), false, "")->values().text,
            "Zeile 1\nZeile 2");

  const Appointment early = saveNew(rig, "01:00", "90");
  EXPECT_EQ(early.TDATE, Date::fromDisplay("09.06.2024"));
  EXPECT_EQ(early.TTIME, "23:30");
}

TEST(EditorSave, AProgramStartIsDueAtItsOwnTimeAndAPlainKindDropsAHiddenProgram) {
  ReminderRig rig("10.06.2024", "09:00:00");
  auto s = EditorSession::open(*rig.env, 0, true, "");
  ASSERT_TRUE(s);
  EditorValues& v = s->values();
  v.time = "14:00";
  v.leadTime = "30";
  changeKind(v, rig.ctx.lists, 13, {});
  v.program = "/usr/bin/true";
  EXPECT_EQ(v.text, "Programmstart");
  ASSERT_EQ(s->save(SaveMode::Save), SaveResult::Saved);
  Appointment a = rig.at(s->savedRecno());
  EXPECT_EQ(a.TERMINART, "TA20");
  EXPECT_EQ(a.PROGSTART, "/usr/bin/true");
  EXPECT_EQ(a.WARNMIN, 0);
  EXPECT_EQ(a.TTIME, "14:00");

  // Back to "privat": the program field is hidden and must not keep the lead time away.
  auto e = EditorSession::open(*rig.env, s->savedRecno(), false, "");
  ASSERT_TRUE(e);
  e->values().shownKind = e->values().kind;
  changeKind(e->values(), rig.ctx.lists, 2, {});
  e->values().leadTime = "30";
  ASSERT_EQ(e->save(SaveMode::Save), SaveResult::Saved);
  a = rig.at(s->savedRecno());
  EXPECT_EQ(a.TERMINART, "TA7");
  EXPECT_EQ(a.PROGSTART, "");
  EXPECT_EQ(a.WARNMIN, 30);
  EXPECT_EQ(a.TTIME, "13:30");
}

TEST(EditorSave, AKindKeepsItsCodeAndAChangeOfKindBringsItsDefaultSound) {
  ReminderRig rig("10.06.2024", "09:00:00");
  Appointment stored = makeAppointment("12.06.2024", "10:00", "Privat");
  stored.TERMINART = "TA7  ";
  const auto rec = rig.add(stored);
  auto s = EditorSession::open(*rig.env, rec, false, "");
  ASSERT_TRUE(s);
  EXPECT_EQ(rig.ctx.lists.ATERMART[static_cast<std::size_t>(s->values().kind) - 1], "privat");
  ASSERT_EQ(s->save(SaveMode::Save), SaveResult::Saved);
  EXPECT_EQ(rig.at(rec).TERMINART, "TA7");

  changeKind(s->values(), rig.ctx.lists, 5, [](int kind) { return "kind" + std::to_string(kind); });
  EXPECT_EQ(s->values().alarmFile, "kind5");
}

TEST(EditorSave, MonthlyAndYearlyAppointmentsKeepTheirDayOfMonth) {
  ReminderRig rig("31.01.2024", "09:00:00");
  auto s = EditorSession::open(*rig.env, 0, true, "Miete");
  ASSERT_TRUE(s);
  s->values().recurrence = kMonthly;
  resetRepetition(s->values());
  ASSERT_EQ(s->save(SaveMode::Save), SaveResult::Saved);
  EXPECT_EQ(rig.at(s->savedRecno()).MONTHDAY, 31);
  EXPECT_EQ(rig.at(s->savedRecno()).MONTH, "XXXXXXXXXXXX");

  auto y = EditorSession::open(*rig.env, 0, true, "Schalttag");
  ASSERT_TRUE(y);
  y->values().date = Date::fromDisplay("29.02.2024");
  y->values().recurrence = kYearly;
  resetRepetition(y->values());
  ASSERT_EQ(y->save(SaveMode::Save), SaveResult::Saved);
  EXPECT_EQ(rig.at(y->savedRecno()).MONTHDAY, 29);
  EXPECT_EQ(rig.at(y->savedRecno()).REPDATE, Date::fromDisplay("29.02.2044"));
}

// An end date before the appointment's date would end a series at its next alert: the kind's
// default end is stored instead (a once-only appointment ends on its date).
TEST(EditorSave, AnEndDateBeforeTheDateIsNeverStored) {
  ReminderRig rig("10.06.2024", "09:00:00");
  Appointment stored = makeAppointment("20.06.2024", "10:00", "Täglich");
  stored.VORLAGE = kDaily;
  stored.WEEKDAYS = "XXXXXXX";
  stored.REPDATE = Date::fromDisplay("10.06.2024");  // as the editor used to store it
  const auto rec = rig.add(stored);
  auto s = EditorSession::open(*rig.env, rec, false, "");
  ASSERT_TRUE(s);
  ASSERT_EQ(s->save(SaveMode::Save), SaveResult::Saved);
  EXPECT_EQ(rig.at(rec).REPDATE, Date::fromDisplay("20.06.2025"));

  auto once = EditorSession::open(*rig.env, rec, false, "");
  ASSERT_TRUE(once);
  once->values().recurrence = kOnce;
  once->values().rep.end = Date::fromDisplay("01.06.2024");
  ASSERT_EQ(once->save(SaveMode::Save), SaveResult::Saved);
  EXPECT_EQ(rig.at(rec).REPDATE, Date::fromDisplay("20.06.2024"));
}

TEST(EditorSave, CancellingANewAppointmentWritesNothingAndKeepsTheCurrentRecord) {
  ReminderRig rig;
  const auto first = rig.add(makeAppointment("12.06.2024", "10:00", "Eins"));
  rig.add(makeAppointment("13.06.2024", "10:00", "Zwei"));
  ASSERT_TRUE(rig.table->goTo(first));
  auto s = EditorSession::open(*rig.env, 0, true, "");
  ASSERT_TRUE(s);
  s->cancel();
  EXPECT_EQ(rig.table->recNo(), first);
  EXPECT_EQ(recordCount(rig), 2);
}

TEST(EditorSave, ReactivatingClearsTheFiledFlagOfThatRecordOnlyAndShowsViewOne) {
  ReminderRig rig;
  Appointment filed = makeAppointment("12.06.2024", "10:00", "Abgelegt");
  filed.QUIT = true;
  const auto a = rig.add(filed);
  const auto b = rig.add(filed);
  ASSERT_TRUE(setFilter(*rig.env, 3));
  auto s = EditorSession::open(*rig.env, a, false, "");
  ASSERT_TRUE(s);
  ASSERT_EQ(s->save(SaveMode::Reactivate), SaveResult::Saved);
  EXPECT_FALSE(rig.at(a).QUIT);
  EXPECT_TRUE(rig.at(b).QUIT);
  EXPECT_EQ(rig.ctx.settings.NS_TODAY, 1);

  auto f = EditorSession::open(*rig.env, a, false, "");
  ASSERT_TRUE(f);
  ASSERT_EQ(f->save(SaveMode::File), SaveResult::Saved);
  EXPECT_TRUE(rig.at(a).QUIT);
}

TEST(EditorSave, ALockedRecordIsNotWrittenAndTheUserIsTold) {
  ReminderRig rig("10.06.2024", "09:00:00", OpenMode::kShared);
  const auto rec = rig.add(makeAppointment("12.06.2024", "10:00", "Gesperrt"));
  auto s = EditorSession::open(*rig.env, rec, false, "");
  ASSERT_TRUE(s);
  s->values().text = "Neu";
  test::RecordLockHolder holder(rig.base(), rec);
  ASSERT_TRUE(holder.holding());
  EXPECT_EQ(s->save(SaveMode::Save), SaveResult::Refused);
  EXPECT_EQ(rig.ui.messages,
            std::vector<std::string>{"Datensatz gesperrt: Kann Termin nicht speichern !"});
  EXPECT_EQ(rig.at(rec).TEXT, "Gesperrt");
}

TEST(EditorSave, ARecordChangedMeanwhileIsOverwrittenOnlyWhenTheUserSaysSo) {
  ReminderRig rig;
  const auto rec = rig.add(makeAppointment("12.06.2024", "10:00", "Alt"));
  auto s = EditorSession::open(*rig.env, rec, false, "");
  ASSERT_TRUE(s);
  s->values().text = "Meine Eingabe";
  Appointment other = rig.at(rec);
  other.TEXT = "Von nebenan";
  ASSERT_TRUE(rig.table->write(other));
  ASSERT_TRUE(rig.table->commit());

  rig.ui.answers = {false};
  EXPECT_EQ(s->save(SaveMode::Save), SaveResult::Refused);
  EXPECT_EQ(rig.at(rec).TEXT, "Von nebenan");
  ASSERT_EQ(rig.ui.questions.size(), 1u);
  rig.ui.answers = {true};
  EXPECT_EQ(s->save(SaveMode::Save), SaveResult::Saved);
  EXPECT_EQ(rig.at(rec).TEXT, "Meine Eingabe");

  ASSERT_TRUE(rig.table->goTo(rec));
  ASSERT_TRUE(rig.table->deleteRecord());
  ASSERT_TRUE(rig.table->commit());
  EXPECT_EQ(s->save(SaveMode::Save), SaveResult::Refused);
  EXPECT_TRUE(rig.isDeleted(rec));
}

TEST(SoundChooser, AChosenSoundIsLoggedPlayedAndStoredRelativeACancelKeepsTheOld) {
  ReminderRig rig;
  std::filesystem::path startedIn;
  const auto chosen = (rig.ctx.CRUNIN / "sounds" / "gong.wav").string();
  auto pick = [&](const std::string& title, const std::filesystem::path& start,
                  const std::string&) {
    EXPECT_EQ(title, "Sound-Datei suchen");
    startedIn = start;
    return chosen;
  };
  std::filesystem::create_directories(rig.ctx.CRUNIN / "Sounds");
  EXPECT_EQ(qlGetSound(rig.ctx, rig.sound, "alt.wav", pick), ".\\sounds\\gong.wav");
  EXPECT_EQ(startedIn.filename(), "Sounds");
  EXPECT_EQ(rig.sound.names(), std::vector<std::string>{"gong.wav"});
  const auto lines = rig.logLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "(QLGetSound) Alt: alt.wav Neu: " + chosen),
            lines.end());

  auto cancel = [](const std::string&, const std::filesystem::path&, const std::string&) {
    return std::string();
  };
  EXPECT_EQ(qlGetSound(rig.ctx, rig.sound, "alt.wav", cancel), "alt.wav");
}

}  // namespace
}  // namespace zrv
