// The month page and the open calendar's navigation: where the days sit, which bitmap and
// tooltip each day gets, and what the buttons rebuild.
#include "calendar/calendar_model.h"

#include <gtest/gtest.h>

#include "store/base/clock.h"
#include "store/base/date_time.h"

namespace zrv {
namespace {

Date ymd(int y, int m, int d) {
  return *Date::fromYmd(y, m, d);
}

// The cell (1..42) showing `day` on the page.
const CalendarCell& cellOf(const MonthPage& page, int day) {
  for (const CalendarCell& c : page.cells) {
    if (c.day == day) return c;
  }
  throw std::out_of_range("day not on the page");
}

TEST(MonthPage, AMonthStartingOnSundayFillsSixRows) {
  const Date aug = ymd(2021, 8, 17);  // 1 August 2021 is a Sunday
  const DayNumbers days = makeKalen(aug);
  for (int k = 1; k <= 6; ++k)
    EXPECT_EQ(days[k - 1], 0);
  EXPECT_EQ(days[6], 1);
  EXPECT_EQ(days[36], 31);
  EXPECT_EQ(days[37], 0);
  const HolidayTable holidays = makeFTage(2021);
  const MonthPage page = showKalen(aug, days, {ymd(2021, 1, 5), Date(), &holidays, nullptr});
  EXPECT_EQ(page.title, "August 2021");
  EXPECT_EQ(page.weeks[0], "30");  // Monday 26 July to Sunday 1 August
  EXPECT_EQ(page.weeks[5], "35");
  EXPECT_EQ(page.cells[0].bitmap, "KAussen");
  EXPECT_EQ(page.cells[0].caption, "");
  EXPECT_EQ(page.cells[6].caption, "1");
}

TEST(MonthPage, FebruaryOfALeapYearAndRowsWithoutDays) {
  const Date feb = ymd(2024, 2, 10);
  const MonthPage page = showKalen(feb, makeKalen(feb), {});
  EXPECT_EQ(page.title, "Februar 2024 +");
  EXPECT_EQ(page.cells[3].caption, "1");  // a Thursday
  EXPECT_EQ(cellOf(page, 29).bitmap, "KDatum");
  // February 2021 starts on a Monday and fills exactly four rows.
  const Date feb21 = ymd(2021, 2, 1);
  const MonthPage four = showKalen(feb21, makeKalen(feb21), {});
  EXPECT_EQ(four.title, "Februar 2021");
  EXPECT_EQ(four.cells[27].caption, "28");
  EXPECT_NE(four.weeks[3], "");
  EXPECT_EQ(four.weeks[4], "");
  EXPECT_EQ(four.weeks[5], "");
}

TEST(MonthPage, RowsCarryTheCalendarWeekOfGermanCalendars) {
  const Date dec = ymd(2026, 12, 7);
  EXPECT_EQ(showKalen(dec, makeKalen(dec), {}).weeks[1], "50");  // 7 to 13 December 2026
  const Date jan = ymd(2027, 1, 1);
  const MonthPage page = showKalen(jan, makeKalen(jan), {});
  EXPECT_EQ(page.weeks[0], "53");  // Friday 1 to Sunday 3 January 2027
  EXPECT_EQ(page.weeks[1], "1");
}

TEST(MonthPage, BitmapsAndTooltipsInTheirOrder) {
  const Date dec = ymd(2025, 12, 1);
  const HolidayTable holidays = makeFTage(2025);
  const MonthAppointments appointments{
      {ymd(2024, 12, 15), "Vorjahr"},  // the index holds every year's December
      {ymd(2025, 12, 15), "Geburtstag Jörg (#1971)"},
      {ymd(2025, 12, 15), "zweiter Termin"},
      {ymd(2025, 12, 26), "Besuch"},
      {ymd(2025, 12, 10), "am Vorgabetag"},
  };
  // Today is Christmas Day, the preset date another day.
  PageInputs in{ymd(2025, 12, 25), ymd(2025, 12, 12), &holidays, &appointments};
  MonthPage page = showKalen(dec, makeKalen(dec), in);
  EXPECT_EQ(cellOf(page, 25).bitmap, "KHeuFei");
  EXPECT_EQ(cellOf(page, 25).tooltip, "1. Weihnachtstag");
  EXPECT_EQ(cellOf(page, 24).bitmap, "KFeier");
  EXPECT_EQ(cellOf(page, 31).bitmap, "KFeier2");
  EXPECT_EQ(cellOf(page, 31).tooltip, "Sylvester");
  EXPECT_EQ(cellOf(page, 12).bitmap, "KVorgabe");
  EXPECT_EQ(cellOf(page, 12).tooltip, "aktuelles Termindatum");
  EXPECT_EQ(cellOf(page, 7).bitmap, "KDatum");
  EXPECT_EQ(cellOf(page, 7).tooltip, "Sonntag, 7. Dezember  2025");
  // Appointments win over a holiday; the first of the day, its age marker expanded.
  EXPECT_EQ(cellOf(page, 26).bitmap, "KPrivat");
  EXPECT_EQ(cellOf(page, 26).tooltip, "Besuch");
  EXPECT_EQ(cellOf(page, 15).bitmap, "KPrivat");
  EXPECT_EQ(cellOf(page, 15).tooltip, "Geburtstag Jörg (54)");

  // Today a notable day; the preset date is today and has an appointment.
  in.today = in.preset = ymd(2025, 12, 10);
  page = showKalen(dec, makeKalen(dec), in);
  EXPECT_EQ(cellOf(page, 10).bitmap, "KVorgabe");
  EXPECT_EQ(cellOf(page, 10).tooltip, "Heute / Termindatum");
  in.today = in.preset = ymd(2025, 12, 11);
  page = showKalen(dec, makeKalen(dec), in);
  EXPECT_EQ(cellOf(page, 11).bitmap, "KHeute");
  EXPECT_EQ(cellOf(page, 11).tooltip, "Heute");
  in.today = ymd(2025, 12, 31);
  page = showKalen(dec, makeKalen(dec), in);
  EXPECT_EQ(cellOf(page, 31).bitmap, "KHeuFei2");
}

TEST(MonthPage, TheLineNamingToday) {
  EXPECT_EQ(todayLine(ymd(2025, 12, 25)), "Heute ist: Do.,  25. Dez.  2025");
  EXPECT_EQ(todayLine(ymd(2026, 3, 3)), "Heute ist: Di.,   3. Mär.  2026");
}

class CalendarModelTest : public ::testing::Test {
 protected:
  MonthSource source() {
    return [this](const Date& d) {
      asked.push_back(d);
      return MonthCollection{{{ymd(2026, 1, 20), "Januartermin"}}, {}};
    };
  }
  FixedClock clock{"25.12.2025", "10:00"};
  std::vector<Date> asked;
};

TEST_F(CalendarModelTest, MonthAndYearStepsRebuildTheHolidaysOfTheNewYear) {
  CalendarModel m(ymd(2025, 12, 10), clock, source());
  EXPECT_EQ(m.holidayYear(), 2025);
  EXPECT_EQ(m.result(), ymd(2025, 12, 10));  // nothing clicked yet: the preset date
  ASSERT_TRUE(m.navigate(CalendarStep::kMonthOn));
  EXPECT_EQ(m.shown(), ymd(2026, 1, 10));
  EXPECT_EQ(m.holidayYear(), 2026);
  EXPECT_EQ(m.page().title, "Januar 2026");
  EXPECT_EQ(cellOf(m.page(), 1).bitmap, "KFeier");  // Neujahr of the new year
  EXPECT_EQ(cellOf(m.page(), 20).bitmap, "KPrivat");
  ASSERT_TRUE(m.navigate(CalendarStep::kYearOn));
  EXPECT_EQ(m.holidayYear(), 2027);
  EXPECT_EQ(cellOf(m.page(), 20).bitmap, "KDatum");  // the appointment is of 2026
  ASSERT_TRUE(m.navigate(CalendarStep::kYearBack));
  ASSERT_TRUE(m.navigate(CalendarStep::kMonthBack));
  EXPECT_EQ(m.holidayYear(), 2025);
  ASSERT_TRUE(m.navigate(CalendarStep::kYearOn));
  ASSERT_TRUE(m.navigate(CalendarStep::kToday));
  EXPECT_EQ(m.shown(), ymd(2025, 12, 25));
  EXPECT_EQ(m.holidayYear(), 2025);
  EXPECT_EQ(cellOf(m.page(), 25).bitmap, "KHeuFei");
  // The appointments were asked for on opening and on every step.
  EXPECT_EQ(asked.size(), 7u);
  EXPECT_EQ(asked[1], ymd(2026, 1, 10));
}

TEST_F(CalendarModelTest, ADayGivesItsDateACellOutsideTheMonthNone) {
  CalendarModel m(ymd(2025, 12, 10), clock, source());
  EXPECT_EQ(m.showDay(1), ymd(2025, 12, 1));  // 1 December 2025 is a Monday
  EXPECT_EQ(m.result(), ymd(2025, 12, 1));
  EXPECT_TRUE(m.showDay(42).empty());
  // An empty preset (a date field without a date) opens on today's month and stays empty.
  CalendarModel empty(Date(), clock, {});
  EXPECT_EQ(empty.shown(), clock.today());
  EXPECT_TRUE(empty.result().empty());
  // The years end somewhere: a step beyond them changes nothing.
  CalendarModel last(ymd(9999, 12, 1), clock, {});
  EXPECT_FALSE(last.navigate(CalendarStep::kMonthOn));
  EXPECT_EQ(last.shown(), ymd(9999, 12, 1));
}

}  // namespace
}  // namespace zrv
