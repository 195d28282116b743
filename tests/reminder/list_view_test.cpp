// What the appointment list shows: one row per appointment of the current view in trigger
// order, each row's columns, and a table that stays where the due check left it however the
// list reads it.
#include <gtest/gtest.h>

#include "reminder/list_row.h"
#include "reminder/recurrence.h"
#include "reminder/view_rows.h"
#include "reminder/views.h"
#include "support/reminder_rig.h"

namespace zrv {
namespace {

Appointment at(const std::string& date, const std::string& time, const std::string& text) {
  return test::makeAppointment(date, time, text);
}

TEST(ListRow, ShowsKindFlagWeekdayShortDateTimeAndTitle) {
  Appointment a = at("10.06.2024", "09:30", "Zahnarzt Dr. Weiß\nBonusheft mitnehmen");
  a.TERMINART = "TA7 ";
  a.WARNMIN = 15;
  a.TIME = "09:15";  // moved by the lead time; the list shows the time as entered
  const ListRow row = listRowOf(a);
  EXPECT_EQ(row.kindCode, "TA7");
  EXPECT_EQ(row.flag, "V");
  EXPECT_EQ(row.day, "Mo");
  EXPECT_EQ(row.date, "10.06.24");
  EXPECT_EQ(row.time, "09:30");
  EXPECT_EQ(row.text, "Zahnarzt Dr. Weiß");
}

TEST(ListRow, FlagIsAForAutomaticRepeatsEvenWithALeadTimeAndEmptyWithoutEither) {
  Appointment a = at("15.06.2024", "10:00", "Sitzung");
  EXPECT_EQ(listRowOf(a).flag, "");
  a.LAUTO = true;
  a.WARNMIN = 10;
  EXPECT_EQ(listRowOf(a).flag, "A");
  EXPECT_EQ(listRowOf(a).day, "Sa");
}

TEST(ListRow, BirthdayTitleShowsTheAgeAndLongTitlesWrapAt79) {
  Appointment a = at("03.02.2025", "00:00", "Geburtstag Anna (#1990)\nBlumen");
  EXPECT_EQ(listRowOf(a).text, "Geburtstag Anna (35)");
  a.TEXT = std::string(70, 'x') + " " + std::string(20, 'y');
  EXPECT_EQ(listRowOf(a).text, std::string(70, 'x'));
}

TEST(ListRow, EmptyRecordShowsNothing) {
  const ListRow row = listRowOf(Appointment{});
  EXPECT_EQ(row, ListRow{});
}

class ViewRowsTest : public ::testing::Test {
 protected:
  test::ReminderRig rig{"10.06.2024", "08:00:00"};
  ViewRows rows;

  std::vector<std::string> texts() {
    std::vector<std::string> out;
    for (int i = 0; i < rows.size(); ++i)
      out.push_back(rows.row(*rig.table, i).text);
    return out;
  }
};

TEST_F(ViewRowsTest, RowsFollowTheTriggerOrderOfTheView) {
  const auto late = rig.add(at("12.06.2024", "08:00", "Mittwoch"));
  const auto early = rig.add(at("10.06.2024", "09:00", "Montag"));
  rig.add(at("11.06.2024", "07:00", "Dienstag"));
  ASSERT_TRUE(rows.reload(*rig.table));
  EXPECT_EQ(texts(), (std::vector<std::string>{"Montag", "Dienstag", "Mittwoch"}));
  EXPECT_EQ(rows.recnoAt(0), early);
  EXPECT_EQ(rows.rowOf(late), 2);
  EXPECT_EQ(rows.recnoAt(3), 0u);
  EXPECT_EQ(rows.recnoAt(-1), 0u);
  EXPECT_EQ(rows.row(*rig.table, 7), ListRow{});
}

// A long view is taken a stretch at a time: the first rows at once, the rest as asked for,
// deleted records skipped across the stretches' borders, ending with the whole order.
TEST_F(ViewRowsTest, ALongViewIsTakenInStretchesThatAddUpToTheWholeOrder) {
  std::vector<std::uint32_t> added;
  for (int i = 0; i < 1203; ++i) {
    const std::string time = (i / 60 < 10 ? "0" : "") + std::to_string(i / 60 % 24) + ":" +
                             (i % 60 < 10 ? "0" : "") + std::to_string(i % 60);
    added.push_back(
        rig.add(at(i < 720 ? "10.06.2024" : "11.06.2024", time, "Nr. " + std::to_string(i))));
  }
  for (std::size_t i = 490; i < 520; ++i) {
    ASSERT_TRUE(rig.table->goTo(added[i]));
    ASSERT_TRUE(rig.table->deleteRecord());
  }
  ASSERT_TRUE(rig.table->commit());
  const auto whole = rig.table->orderRecnos();
  ASSERT_TRUE(whole);
  ASSERT_EQ(whole->size(), 1173u);

  ASSERT_TRUE(rows.reload(*rig.table));
  EXPECT_EQ(rows.size(), 500);
  EXPECT_FALSE(rows.complete());
  // A record beyond the first stretch is found by taking more.
  const int row = rows.findRow(*rig.table, added[1100]);
  EXPECT_EQ(rows.recnoAt(row), added[1100]);
  EXPECT_EQ(rows.findRow(*rig.table, added[500]), -1);  // deleted
  rows.extendToEnd(*rig.table);
  EXPECT_TRUE(rows.complete());
  std::vector<std::uint32_t> taken;
  for (int i = 0; i < rows.size(); ++i)
    taken.push_back(rows.recnoAt(i));
  EXPECT_EQ(taken, *whole);
}

TEST_F(ViewRowsTest, DeletedAndFiledAppointmentsLeaveTheCurrentView) {
  const auto gone = rig.add(at("10.06.2024", "09:00", "gelöscht"));
  const auto filed = rig.add(at("10.06.2024", "10:00", "abgelegt"));
  rig.add(at("10.06.2024", "11:00", "bleibt"));
  ASSERT_TRUE(rig.table->goTo(gone));
  ASSERT_TRUE(rig.table->deleteRecord());
  ASSERT_TRUE(rig.table->goTo(filed));
  Appointment a = *rig.table->read();
  a.QUIT = true;
  ASSERT_TRUE(rig.table->write(a));
  ASSERT_TRUE(rig.table->commit());

  ASSERT_TRUE(setFilter(*rig.env, kViewCurrent));
  ASSERT_TRUE(rows.reload(*rig.table));
  EXPECT_EQ(texts(), std::vector<std::string>{"bleibt"});
  EXPECT_EQ(rows.rowOf(gone), -1);

  ASSERT_TRUE(setFilter(*rig.env, kViewFiled));
  ASSERT_TRUE(rows.reload(*rig.table));
  EXPECT_EQ(texts(), std::vector<std::string>{"abgelegt"});
}

TEST_F(ViewRowsTest, TodaysViewHoldsOnlyTodaysAppointments) {
  rig.add(at("10.06.2024", "09:00", "heute"));
  rig.add(at("11.06.2024", "09:00", "morgen"));
  ASSERT_TRUE(setFilter(*rig.env, kViewToday));
  ASSERT_TRUE(rows.reload(*rig.table));
  EXPECT_EQ(texts(), std::vector<std::string>{"heute"});
}

TEST_F(ViewRowsTest, ReadingRowsLeavesTheTableOnItsRecord) {
  rig.add(at("10.06.2024", "09:00", "eins"));
  const auto second = rig.add(at("10.06.2024", "10:00", "zwei"));
  rig.add(at("10.06.2024", "11:00", "drei"));
  ASSERT_TRUE(rig.table->goTo(second));
  ASSERT_TRUE(rows.reload(*rig.table));
  EXPECT_EQ(rig.table->recNo(), second);
  EXPECT_EQ(rows.row(*rig.table, 2).text, "drei");
  EXPECT_EQ(rows.row(*rig.table, 0).text, "eins");
  EXPECT_EQ(rig.table->recNo(), second);
  // The order goes on from where the table stands.
  ASSERT_TRUE(rig.table->skip(1));
  EXPECT_EQ(rig.table->read()->TEXT, "drei");

  // Past the end it stays past the end.
  ASSERT_TRUE(rig.table->skip(1));
  ASSERT_TRUE(rig.table->eof());
  ASSERT_TRUE(rows.reload(*rig.table));
  (void)rows.row(*rig.table, 1);
  EXPECT_TRUE(rig.table->eof());
}

TEST_F(ViewRowsTest, ContentsAreReadAgainOnlyAfterAReload) {
  const auto rec = rig.add(at("10.06.2024", "09:00", "vorher"));
  ASSERT_TRUE(rows.reload(*rig.table));
  EXPECT_EQ(rows.row(*rig.table, 0).text, "vorher");
  Appointment a = rig.at(rec);
  a.TEXT = "nachher";
  ASSERT_TRUE(rig.table->write(a));
  ASSERT_TRUE(rig.table->commit());
  EXPECT_EQ(rows.row(*rig.table, 0).text, "vorher");
  ASSERT_TRUE(rows.reload(*rig.table));
  EXPECT_EQ(rows.row(*rig.table, 0).text, "nachher");
}

TEST_F(ViewRowsTest, AnEmptyViewHasNoRows) {
  ASSERT_TRUE(rows.reload(*rig.table));
  EXPECT_EQ(rows.size(), 0);
  EXPECT_EQ(rows.rowOf(1), -1);
}

}  // namespace
}  // namespace zrv
