// The holiday table against an independent Easter computation for every year it knows, the
// dates of a few years checked by hand, and the years outside its range.
#include "calendar/holidays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

namespace zrv {
namespace {

Date ymd(int y, int m, int d) {
  return *Date::fromYmd(y, m, d);
}

// Easter Sunday by the anonymous Gregorian algorithm (Meeus/Jones/Butcher).
Date referenceEaster(int y) {
  const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
  const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
  const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
  const int m = (a + 11 * h + 22 * l) / 451;
  const int month = (h + l - 7 * m + 114) / 31, day = (h + l - 7 * m + 114) % 31 + 1;
  return ymd(y, month, day);
}

std::map<std::string, Date> byName(const HolidayTable& t) {
  std::map<std::string, Date> out;
  for (const Holiday& h : t)
    out[h.name] = h.date;
  return out;
}

constexpr int kSunday = 1, kWednesday = 4, kThursday = 5;

TEST(Holidays, EveryYearOfTheRangeAgreesWithTheGregorianEaster) {
  for (int y = kFirstHolidayYear; y <= kLastHolidayYear; ++y) {
    SCOPED_TRACE(y);
    const Date easter = referenceEaster(y);
    ASSERT_EQ(getFTage(y, MovableDay::kEaster), easter);
    auto d = byName(makeFTage(y));
    EXPECT_EQ(d["Ostersonntag"], easter);
    EXPECT_EQ(d["Karfreitag"], easter - 2);
    EXPECT_EQ(d["Ostermontag"], easter + 1);
    EXPECT_EQ(d["Rosenmontag"], easter - 48);
    EXPECT_EQ(d["Himmelfahrt"], easter + 39);
    EXPECT_EQ(d["Himmelfahrt"].dow(), kThursday);
    EXPECT_EQ(d["Pfingstmontag"], easter + 50);
    EXPECT_EQ(d["Fronleichnam"], easter + 60);
    const Date mothers = d["Muttertag"];
    EXPECT_EQ(mothers.dow(), kSunday);
    EXPECT_EQ(mothers.month(), 5);
    EXPECT_TRUE(mothers.day() >= 8 && mothers.day() <= 14);
    const Date repentance = d["Buß- und Bettag"];
    EXPECT_EQ(repentance.dow(), kWednesday);
    EXPECT_EQ(repentance.month(), 11);
    EXPECT_TRUE(repentance.day() >= 16 && repentance.day() <= 22);
  }
}

TEST(Holidays, TheTableOf2026InItsOrder) {
  const HolidayTable t = makeFTage(2026);
  const std::vector<std::tuple<Date, int, std::string>> expected{
      {ymd(2026, 1, 1), 1, "Neujahr"},
      {ymd(2026, 4, 5), 1, "Ostersonntag"},
      {ymd(2026, 4, 6), 1, "Ostermontag"},
      {ymd(2026, 4, 3), 1, "Karfreitag"},
      {ymd(2026, 2, 16), 2, "Rosenmontag"},
      {ymd(2026, 5, 14), 1, "Himmelfahrt"},
      {ymd(2026, 5, 24), 1, "Pfingstsonntag"},
      {ymd(2026, 5, 25), 1, "Pfingstmontag"},
      {ymd(2026, 6, 4), 1, "Fronleichnam"},
      {ymd(2026, 5, 10), 2, "Muttertag"},
      {ymd(2026, 11, 18), 1, "Buß- und Bettag"},
      {ymd(2026, 12, 24), 1, "Heiligabend"},
      {ymd(2026, 12, 25), 1, "1. Weihnachtstag"},
      {ymd(2026, 12, 26), 1, "2. Weihnachtstag"},
      {ymd(2026, 12, 31), 2, "Sylvester"},
      {ymd(2026, 10, 3), 1, "Tag der deutschen Einheit"},
      {ymd(2026, 10, 31), 2, "Helloween"},
      {ymd(2026, 11, 1), 1, "Allerheiligen"},
      {ymd(2026, 5, 1), 1, "Maifeiertag"},
      {ymd(2026, 2, 14), 2, "Valentinstag"},
  };
  ASSERT_EQ(t.size(), expected.size());
  for (std::size_t i = 0; i < t.size(); ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(t[i].date, std::get<0>(expected[i]));
    EXPECT_EQ(t[i].kind, std::get<1>(expected[i]));
    EXPECT_EQ(t[i].name, std::get<2>(expected[i]));
  }
}

TEST(Holidays, AprilCorrectionsAndMothersDayAfterASundayFirstOfMay) {
  EXPECT_EQ(getFTage(1981, MovableDay::kEaster), ymd(1981, 4, 19));  // computed 26 April
  EXPECT_EQ(getFTage(1954, MovableDay::kEaster), ymd(1954, 4, 18));  // computed 25 April
  ASSERT_EQ(ymd(2022, 5, 1).dow(), kSunday);
  EXPECT_EQ(getFTage(2022, MovableDay::kMothersDay), ymd(2022, 5, 8));
}

TEST(Holidays, OutsideTheRangeOnlyTheFixedDaysRemain) {
  for (int y : {1699, 2200}) {
    SCOPED_TRACE(y);
    EXPECT_TRUE(getFTage(y, MovableDay::kEaster).empty());
    EXPECT_TRUE(getFTage(y, MovableDay::kMothersDay).empty());
    const HolidayTable t = makeFTage(y);
    int fixed = 0;
    for (const Holiday& h : t)
      fixed += h.date.empty() ? 0 : 1;
    EXPECT_EQ(fixed, 10);  // the ten of the table with a fixed day and month
    EXPECT_EQ(t[0].date, ymd(y, 1, 1));
    EXPECT_EQ(t[19].date, ymd(y, 2, 14));
    EXPECT_EQ(qlScan(t, Date()), 0);  // an empty date matches no movable entry
  }
}

TEST(Holidays, ScanFindsTheFirstEntryExactlyOrByDayAndMonth) {
  // 2008: Himmelfahrt (entry 6) falls on the Maifeiertag (entry 19); the earlier one wins.
  const HolidayTable t = makeFTage(2008);
  EXPECT_EQ(qlScan(t, ymd(2008, 5, 1)), 6);
  EXPECT_EQ(qlScan(t, ymd(2008, 5, 2)), 0);
  EXPECT_EQ(qlScan(t, ymd(2009, 12, 25)), 0);
  EXPECT_EQ(qlScan(t, ymd(2009, 12, 25), false), 13);
  EXPECT_EQ(qlScan(t, ymd(2030, 2, 14), false), 20);
}

// The help page says what the calendar shows: every day it marks as a holiday is named among the
// holidays, none among the unofficial ones.
TEST(Holidays, TheHelpPageNamesTheHolidaysAsTheCalendarMarksThem) {
  std::ifstream in(std::string(ZRV_SOURCE_DIR) + "/help/kalender.html", std::ios::binary);
  const std::string page{std::istreambuf_iterator<char>(in), {}};
  // The paragraph's text with its line breaks as blanks.
  const auto paragraph = [&](const std::string& id) {
    const std::size_t start = page.find("<p id=\"" + id + "\">");
    if (start == std::string::npos) return std::string();
    std::string text = page.substr(start, page.find("</p>", start) - start);
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
  };
  const std::string holidays = paragraph("feiertage"), unofficial = paragraph("inoffiziell");
  ASSERT_FALSE(holidays.empty());
  ASSERT_FALSE(unofficial.empty());
  for (const Holiday& h : makeFTage(2026)) {
    if (h.kind != kPublicHoliday) continue;
    EXPECT_NE(holidays.find(h.name), std::string::npos) << h.name;
    EXPECT_EQ(unofficial.find(h.name), std::string::npos) << h.name;
  }
}

}  // namespace
}  // namespace zrv
