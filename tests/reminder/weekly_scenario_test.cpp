// The road of one weekly appointment through the reminder: due now, shown once as the current
// appointment, confirmed with "&Gelesen", due again seven days later.
#include <gtest/gtest.h>

#include <set>

#include "reminder/due_check.h"
#include "reminder/recurrence.h"
#include "support/reminder_rig.h"

namespace zrv {
namespace {

// The lines the due check and the alert write, without the date helpers' own lines and the
// empty line that follows each "Nächster Termin am" line.
std::vector<std::string> cycleLines(const std::vector<std::string>& lines) {
  static const std::set<std::string> places = {"(Im Timer)",   "(ChkNext)",    "(ChkOlds)",
                                               "(ShowTermin)", "(KillTermin)", "(GenTermin)"};
  std::vector<std::string> out;
  for (const std::string& line : lines) {
    const std::string place = line.substr(0, line.find(") ") + 1);
    if (places.count(place)) out.push_back(line);
  }
  return out;
}

TEST(WeeklyAppointment, IsShownOnceConfirmedAndDueAgainSevenDaysLater) {
  test::ReminderRig rig("10.06.2024", "08:59:40");
  const std::uint32_t rec =
      rig.add(test::makeAppointment("10.06.2024", "09:00", "Teambesprechung\nRaum 2", kWeekly));
  rig.alert.scripts.push_back({{AlertAction::Kill}, {}});
  rig.clearLog();

  startDueCheck(*rig.env);
  EXPECT_TRUE(rig.timer.on);
  chkAll(*rig.env);  // 08:59:40: not yet due
  EXPECT_TRUE(rig.alert.shown.empty());
  rig.clock.advance(30);  // 09:00:10
  chkAll(*rig.env);
  rig.clock.advance(30);  // 09:00:40: dealt with, not shown again
  chkAll(*rig.env);

  ASSERT_EQ(rig.alert.shown.size(), 1u);
  const AlertContent& shown = rig.alert.shown[0];
  EXPECT_EQ(shown.mode, 2);
  EXPECT_EQ(shown.title, "Aktueller Termin");
  EXPECT_EQ(shown.date, "10.06.2024");
  EXPECT_EQ(shown.time, "09:00");
  EXPECT_TRUE(shown.repeating);  // first button "&Gelesen"
  EXPECT_EQ(rig.alert.results, std::vector<bool>{true});

  const Appointment a = rig.at(rec);
  EXPECT_EQ(a.DATE, Date::fromDisplay("17.06.2024"));
  EXPECT_EQ(a.TDATE, Date::fromDisplay("17.06.2024"));
  EXPECT_EQ(a.TTIME, "09:00");
  EXPECT_EQ(a.TIMEVON, "09:00");
  EXPECT_FALSE(a.QUIT);
  EXPECT_FALSE(a.LAUTO);
  EXPECT_EQ(rig.ctx.run.DN_DATE, Date::fromDisplay("17.06.2024"));
  EXPECT_EQ(rig.ctx.run.CN_TIME, "09:00");
  EXPECT_EQ(rig.ctx.run.NN_REC, static_cast<long>(rec));
  EXPECT_TRUE(rig.timer.on);
  // The alert closed: "Termin bearbeitet" sounded.
  EXPECT_EQ(rig.sound.names().back(), "Gelesen.wav");

  const std::vector<std::string> expected = {
      "(ChkOlds) Verpassten Termin suchen",
      "(ChkNext) Nächsten Termin suchen - call von: DlgAfterActivate",
      "(ChkNext) lAppHide = .F.  lShow = .T.",
      "(ChkNext) Nächster Termin am: 10.06.2024 um: 09:00 Teambesprechung",
      "(Im Timer) Netzwerk-Alarm",
      "(ChkNext) Nächsten Termin suchen - call von: ChkAll - UserUpdate",
      "(ChkNext) lAppHide = .F.  lShow = .T.",
      "(ChkNext) Nächster Termin am: 10.06.2024 um: 09:00 Teambesprechung",
      "(ShowTermin) Melden: 10.06.2024 09:00 Teambesprechung",
      "(KillTermin) Termin löschen",
      "(KillTermin) neuen Termin erzeugen",
      "(GenTermin) Termin wöchentlich",
      "(GenTermin) Next: 17.06.2024 09:00",
      "(KillTermin) neuer Termin wurde erzeugt",
      "(KillTermin) neuen Termin schreiben",
      "(KillTermin) Datensatz freigeben",
      "(KillTermin) fertig",
      "(ChkOlds) Verpassten Termin suchen",
      "(ChkNext) Nächsten Termin suchen - call von: ChkAll - aktTerm",
      "(ChkNext) lAppHide = .F.  lShow = .T.",
      "(ChkNext) Nächster Termin am: 17.06.2024 um: 09:00 Teambesprechung",
  };
  std::vector<std::string> got = cycleLines(rig.logLines());
  // The last tick may notice the alert's own change of the table file as well.
  while (got.size() > expected.size() && got[expected.size()] == "(Im Timer) Netzwerk-Alarm")
    got.resize(expected.size());
  EXPECT_EQ(got, expected);

  // A week later the appointment is due again.
  rig.clock.set("17.06.2024", "09:00:05");
  chkAll(*rig.env);
  ASSERT_EQ(rig.alert.shown.size(), 2u);
  EXPECT_EQ(rig.alert.shown[1].date, "17.06.2024");
}

}  // namespace
}  // namespace zrv
