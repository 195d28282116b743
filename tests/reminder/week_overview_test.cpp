// The week overview: which week it shows, what each day box lists, and where the boxes lie.
#include <gtest/gtest.h>

#include "reminder/views.h"
#include "reminder/week_overview.h"
#include "support/reminder_rig.h"

namespace zrv {
namespace {

Date d(const char* display) {
  return Date::fromDisplay(display);
}

TEST(WeekOverview, TheWeekRunsFromMondayToSunday) {
  EXPECT_EQ(weekStart(d("10.06.2024")), d("10.06.2024"));  // a Monday starts today
  EXPECT_EQ(weekStart(d("13.06.2024")), d("10.06.2024"));
  EXPECT_EQ(weekStart(d("15.06.2024")), d("10.06.2024"));
  EXPECT_EQ(weekStart(d("16.06.2024")), d("10.06.2024"));  // a Sunday ends the week
  EXPECT_EQ(weekStart(d("01.01.2025")), d("30.12.2024"));  // across the year's end
}

TEST(WeekOverview, CaptionsNameTheDayAndItsDate) {
  const auto c = dayCaptions(d("30.12.2024"));
  EXPECT_EQ(c[0], "Montag (30.12.)");
  EXPECT_EQ(c[2], "Mittwoch (01.01.)");
  EXPECT_EQ(c[3], "Donnerstag  (02.01.)");
  EXPECT_EQ(c[6], "Sonntag (05.01.)");
}

TEST(WeekOverview, WeekShowChoosesHowMuchOfTheTextALineShows) {
  const std::string text = "Jahresgespräch mit Frau Schütz wegen Budget 2025\nRaum 3";
  const Date day = d("12.06.2024");
  EXPECT_EQ(weekLine("09:30", text, day, 1), " 09:30 - Jahresgespräch mit Frau Schütz\r\n");
  EXPECT_EQ(weekLine("09:30", text, day, 2),
            " 09:30 - Jahresgespräch mit Frau Schütz wegen Budget 2025\r\n");
  EXPECT_EQ(weekLine("09:30", text, day, 3), " 09:30 - " + text + "\r\n");
  EXPECT_EQ(weekLine("07:00", "Geburtstag Tom #2000  ", day, 1), " 07:00 - Geburtstag Tom 24\r\n");
}

TEST(WeekOverview, DayBoxesListTheWeeksAppointmentsOfTheViewInTriggerOrder) {
  test::ReminderRig rig("12.06.2024", "08:00:00");
  rig.add(test::makeAppointment("12.06.2024", "14:00", "Mittwoch spät"));
  rig.add(test::makeAppointment("12.06.2024", "08:30", "Mittwoch früh"));
  rig.add(test::makeAppointment("16.06.2024", "10:00", "Sonntag"));
  rig.add(test::makeAppointment("17.06.2024", "10:00", "nächste Woche"));
  rig.add(test::makeAppointment("09.06.2024", "10:00", "letzte Woche"));
  Appointment filed = test::makeAppointment("10.06.2024", "10:00", "abgelegt");
  filed.QUIT = true;
  rig.add(filed);
  ASSERT_TRUE(setFilter(*rig.env, kViewCurrent));

  const WeekTexts w = collectWeekTexts(*rig.table, d("10.06.2024"), 1);
  ASSERT_TRUE(w.status);
  EXPECT_EQ(w.days[0], "");
  EXPECT_EQ(w.days[2], " 08:30 - Mittwoch früh\r\n 14:00 - Mittwoch spät\r\n");
  EXPECT_EQ(w.days[6], " 10:00 - Sonntag\r\n");
  EXPECT_FALSE(rig.table->eof());
  EXPECT_EQ(rig.table->read()->TEXT, "letzte Woche");  // back on the first record
}

TEST(WeekOverview, BoxesFillTwoColumnsWithSaturdayAndSundaySharingTheLastCell) {
  const WeekLayout l = weekLayout(546, 800);  // a = 79, b = 197
  EXPECT_DOUBLE_EQ(l.frames[0].bottom, 79);
  EXPECT_DOUBLE_EQ(l.frames[0].right, 197);
  EXPECT_DOUBLE_EQ(l.frames[1].top, 81);
  EXPECT_DOUBLE_EQ(l.frames[2].bottom, 241);
  EXPECT_DOUBLE_EQ(l.frames[3].left, 202);
  EXPECT_DOUBLE_EQ(l.frames[4].right, 399);
  EXPECT_DOUBLE_EQ(l.frames[5].bottom, 201.5);
  EXPECT_DOUBLE_EQ(l.frames[6].top, 203.5);
  EXPECT_DOUBLE_EQ(l.frames[6].bottom, l.frames[2].bottom);
  EXPECT_DOUBLE_EQ(l.textWidth, 192);
  EXPECT_DOUBLE_EQ(l.textHeights[0], 69);
  EXPECT_DOUBLE_EQ(l.textHeights[5], 29.5);
  EXPECT_DOUBLE_EQ(l.textHeights[6], 27.5);
  // Every text box stays inside its frame.
  for (int i = 0; i < kDaysOfWeek; ++i) {
    const UnitBox& f = l.frames[static_cast<std::size_t>(i)];
    EXPECT_LE(f.top + 8 + l.textHeights[static_cast<std::size_t>(i)], f.bottom) << i;
    EXPECT_LE(f.left + 3 + l.textWidth, f.right) << i;
  }
}

}  // namespace
}  // namespace zrv
