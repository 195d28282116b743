// "Während Sie weg waren": five appointments missed over a weekend come in one window at the
// start; "Alle bestätigen" moves each on or files it as its kind says, and no alert follows. With
// the setting off they come one alert after another, as before; a wake from stand-by offers the
// window at the next tick.
#include <gtest/gtest.h>

#include "reminder/due_check.h"
#include "reminder/missed_summary.h"
#include "reminder/recurrence.h"
#include "support/reminder_rig.h"

namespace zrv {
namespace {

using test::makeAppointment;

struct Weekend {
  explicit Weekend(test::ReminderRig& rig) {
    rig.ctx.settings.LS_SHOWOLD = true;
    once = rig.add(makeAppointment("08.06.2024", "10:00", "Markt"));
    weekly = rig.add(makeAppointment("08.06.2024", "18:00", "Sport", kWeekly));
    daily = rig.add(makeAppointment("09.06.2024", "08:00", "Zeitung", kDaily, 15));
    Appointment birthday = makeAppointment("09.06.2024", "00:00", "Geburtstag Jörg", kYearly);
    yearly = rig.add(birthday);
    filedKind = rig.add(makeAppointment("07.06.2024", "17:00", "Wochenbericht"));
    ahead = rig.add(makeAppointment("10.06.2024", "11:00", "Noch nicht"));
  }
  std::uint32_t once, weekly, daily, yearly, filedKind, ahead;
};

// The rig's clock stands on Monday 10.06.2024, 09:00.
TEST(MissedSummary, FiveMissedOverAWeekendComeInOneWindowAndAreConfirmedTogether) {
  test::ReminderRig rig;
  const Weekend w(rig);
  rig.alert.summaryChoice = MissedChoice::ConfirmAll;
  startDueCheck(*rig.env);

  ASSERT_EQ(rig.alert.summaries.size(), 1u);
  const std::vector<MissedRow>& rows = rig.alert.summaries[0];
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0].text, "Wochenbericht");  // trigger order
  EXPECT_EQ(rows[0].date, "07.06.2024");
  EXPECT_EQ(rows[0].time, "17:00");
  EXPECT_EQ(rows[0].kind, "Keine Zuordnung");
  EXPECT_TRUE(rig.alert.shown.empty()) << "an alert followed the confirmation";

  EXPECT_TRUE(rig.at(w.once).QUIT);
  EXPECT_TRUE(rig.at(w.filedKind).QUIT);
  EXPECT_EQ(rig.at(w.weekly).DATE, Date::fromDisplay("15.06.2024"));
  EXPECT_EQ(rig.at(w.daily).DATE, Date::fromDisplay("11.06.2024"));  // 10th 07:45 has passed
  EXPECT_EQ(rig.at(w.yearly).DATE, Date::fromDisplay("09.06.2025"));
  EXPECT_FALSE(rig.at(w.ahead).QUIT);
  EXPECT_EQ(rig.ctx.run.NN_REC, static_cast<long>(w.ahead));
}

TEST(MissedSummary, WithTheSettingOffOrOneByOneTheAlertsComeOneAfterAnother) {
  for (const bool setting : {false, true}) {
    test::ReminderRig rig;
    const Weekend w(rig);
    rig.ctx.settings.LS_SUMMARY = setting;
    startDueCheck(*rig.env);
    EXPECT_EQ(rig.alert.summaries.size(), setting ? 1u : 0u);
    ASSERT_EQ(rig.alert.shown.size(), 5u) << "setting " << setting;
    EXPECT_EQ(rig.alert.shown[0].title, "Verpaßter Termin");
    EXPECT_FALSE(rig.at(w.once).QUIT);  // closed without an action: unchanged
  }
}

TEST(MissedSummary, AWakeFromStandByOffersTheWindowAtTheNextTick) {
  test::ReminderRig rig("07.06.2024", "16:00:00");
  rig.ctx.settings.LS_SHOWOLD = false;
  rig.add(makeAppointment("07.06.2024", "17:00", "Wochenbericht"));
  rig.add(makeAppointment("08.06.2024", "10:00", "Markt"));
  startDueCheck(*rig.env);
  chkAll(*rig.env);
  EXPECT_TRUE(rig.alert.summaries.empty());
  rig.clock.set("10.06.2024", "09:00:00");  // the computer slept over the weekend
  chkAll(*rig.env);
  ASSERT_EQ(rig.alert.summaries.size(), 1u);
  EXPECT_EQ(rig.alert.summaries[0].size(), 2u);
}

}  // namespace
}  // namespace zrv
