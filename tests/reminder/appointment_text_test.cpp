// What the alert and the logbook show of an appointment: first line, age, kind, repetition.
#include <gtest/gtest.h>

#include "app/context.h"
#include "ports/user_interface.h"
#include "reminder/age_marker.h"
#include "reminder/alert_content.h"
#include "reminder/appointment_kinds.h"
#include "reminder/memo_line.h"
#include "reminder/recurrence.h"
#include "reminder/repetition.h"
#include "support/logbook_capture.h"

namespace zrv {
namespace {

Date d(int y, int m, int day) {
  return *Date::fromYmd(y, m, day);
}

FixedLists kindLists() {
  FixedLists l;
  l.ATERMART = {"Keine Zuordnung", "privat",      "telefonisch", "Besuch auswärts",
                "Besuch intern",   "Sitzung",     "Infotermin",  "Messe",
                "Sehr wichtig !",  "Wichtig",     "Urlaub",      "Geburtstag",
                "Programmstart",   "Dateiversand"};
  l.AT_TART = {"TA70", "TA7", "TA6",  "TA5",  "TA50", "TA4",  "TA40",
               "TA3",  "TA1", "TA10", "TA30", "TA60", "TA20", "TA22"};
  return l;
}

TEST(FirstLine, EndsAtTheLineBreak) {
  EXPECT_EQ(firstLine("Zahnarzt\r\nDr. Weiß, 2. Stock"), "Zahnarzt");
  EXPECT_EQ(firstLine("Zahnarzt\nmehr"), "Zahnarzt");
  EXPECT_EQ(firstLine(""), "");
}

TEST(FirstLine, WrapsAtTheLastBlankWithin79Characters) {
  const std::string word9 = "abcdefgh ";  // 9 characters with the blank
  std::string text;
  for (int i = 0; i < 10; ++i)
    text += word9;  // 90 characters
  const std::string line = firstLine(text);
  EXPECT_EQ(line.size(), 8u * 9 - 1);  // eight words; the ninth would end at character 80
  EXPECT_EQ(line.back(), 'h');
  // A blank right after character 79 still breaks there.
  const std::string exact = std::string(79, 'x') + " y";
  EXPECT_EQ(firstLine(exact), std::string(79, 'x'));
}

TEST(FirstLine, CutsAnOverlongWordAndCountsUmlautsAsOneCharacter) {
  EXPECT_EQ(firstLine(std::string(100, 'x')), std::string(79, 'x'));
  std::string umlauts;
  for (int i = 0; i < 100; ++i)
    umlauts += "ä";
  const std::string line = firstLine(umlauts);
  EXPECT_EQ(line.size(), 79u * 2);  // whole characters, no broken UTF-8
}

TEST(MemoLines, EveryParagraphWrappedWithTheFirstLinesRules) {
  using Lines = std::vector<std::string>;
  // Hard breaks of every kind, a soft one with its line feed, an empty paragraph kept, a break
  // at the very end adding none.
  EXPECT_EQ(memoLines("Eins\r\nZwei\nDrei\rVier\xC2\x8D\nFünf\r\n\r\nSechs\r\n", 60),
            (Lines{"Eins", "Zwei", "Drei", "Vier", "Fünf", "", "Sechs"}));
  // Wrapped at the last blank that fits; the blanks at a wrap go; a long word is cut.
  EXPECT_EQ(memoLines("Übergabe Projektbericht   an die Geschäftsführung", 24),
            (Lines{"Übergabe Projektbericht", "an die Geschäftsführung"}));
  EXPECT_EQ(memoLines(std::string(25, 'x') + " y", 10),
            (Lines{std::string(10, 'x'), std::string(10, 'x'), "xxxxx y"}));
  EXPECT_EQ(memoLines("", 60), Lines{""});
  EXPECT_EQ(memoLines("Zahnarzt\r\nmehr", 60)[0], firstLine("Zahnarzt\r\nmehr", 60));
}

TEST(AgeMarker, BirthYearBecomesTheAgeInTheAppointmentsYear) {
  EXPECT_EQ(makeAge("Geburtstag Hans #1970", d(2003, 5, 3)), "Geburtstag Hans 33");
  EXPECT_EQ(makeAge("Hans wird #1970 Jahre alt", d(2003, 5, 3)), "Hans wird 33 Jahre alt");
  EXPECT_EQ(makeAge("  Hans wird heute #1970  ", d(2024, 5, 3)), "Hans wird heute 54");
  EXPECT_EQ(makeAge("Ohne Marke", d(2003, 5, 3)), "Ohne Marke");
}

TEST(AgeMarker, OnlyTheFirstMarkerAndOnlyDigitsCount) {
  EXPECT_EQ(makeAge("#1970 und #1980", d(2000, 1, 1)), "30 und #1980");
  EXPECT_EQ(makeAge("Jubiläum #19ab Feier", d(2000, 1, 1)), "Jubiläum 1981 Feier");
  EXPECT_EQ(makeAge("Nummer #", d(2000, 1, 1)), "Nummer 2000");
}

TEST(Kinds, CodeGivesTextAndUnknownCodesTheFirstKind) {
  const FixedLists l = kindLists();
  EXPECT_EQ(kindText(l, "TA7"), "privat");
  EXPECT_EQ(kindText(l, "TA7 "), "privat");
  EXPECT_EQ(kindText(l, "TA70"), "Keine Zuordnung");
  EXPECT_EQ(kindText(l, "TA99"), "Keine Zuordnung");
  EXPECT_EQ(kindText(l, ""), "Keine Zuordnung");
  EXPECT_EQ(kindPosition(l, "TA20"), 13);
  EXPECT_EQ(kindPosition(l, "TA22"), 14);
  EXPECT_EQ(kindText(FixedLists{}, "TA7"), "Keine Zuordnung");
}

TEST(RepetitionText, EachKindWithItsLongEndDate) {
  RepetitionValues v;
  v.end = d(2004, 12, 31);
  v.dayInterval = 1;
  EXPECT_EQ(makeVorlTxt(kDaily, v), "jeden Tag bis Freitag, 31. Dezember 2004");
  v.dayInterval = 3;
  EXPECT_EQ(makeVorlTxt(kDaily, v), "jeden 3.Tag bis Freitag, 31. Dezember 2004");
  EXPECT_EQ(makeVorlTxt(kOnce, v), "es erfolgt keine Wiedervorlage");
  EXPECT_EQ(makeVorlTxt(kHourly, v), "stündlich bis Freitag 31. Dezember 2004");
  v.weekInterval = 2;
  EXPECT_EQ(makeVorlTxt(kWeekly, v), "jede 2. Woche bis Freitag, 31. Dezember 2004");
  v.weekInterval = 1;
  EXPECT_EQ(makeVorlTxt(kWeekly, v), "jede Woche bis Freitag, 31. Dezember 2004");
  v.monthDay = 5;
  EXPECT_EQ(makeVorlTxt(kMonthly, v), "jeden 5. Tag bis Freitag, 31. Dezember 2004");
  v.monthDay = 99;
  EXPECT_EQ(makeVorlTxt(kMonthly, v), "jeden Ultimo bis Freitag, 31. Dezember 2004");
  v.end = d(2025, 3, 3);
  EXPECT_EQ(makeVorlTxt(kYearly, v), "jährlich bis Montag, 3. März 2025");
  v.end = Date();  // a series without end
  EXPECT_EQ(makeVorlTxt(kYearly, v), "jährlich");
  EXPECT_EQ(makeVorlTxt(7, v), "");
}

TEST(RepetitionText, IntervalsNeverSetReadAsOne) {
  RepetitionValues v;
  v.end = d(2004, 12, 31);
  EXPECT_EQ(makeVorlTxt(kDaily, v), "jeden Tag bis Freitag, 31. Dezember 2004");
  EXPECT_EQ(makeVorlTxt(kWeekly, v), "jede Woche bis Freitag, 31. Dezember 2004");
}

TEST(RepetitionDefaults, KindSetsEndDateAndMasks) {
  const Date date = d(2024, 2, 29);
  RepetitionValues v;
  EXPECT_EQ(makeRepDate(date, kDaily, v), date + 365);
  EXPECT_EQ(v.weekdays, "XXXXXXX");
  EXPECT_EQ(v.dayInterval, 1);
  v.weekdays = "-X-----";
  EXPECT_EQ(makeRepDate(date, kWeekly, v), date + 364);
  EXPECT_EQ(v.weekdays, "-X-----");  // weekly leaves the weekday mask alone
  EXPECT_EQ(makeRepDate(date, kOnce, v), date);
  EXPECT_EQ(makeRepDate(date, kHourly, v), date + 10);
  EXPECT_EQ(makeRepDate(date, kMonthly, v), d(2026, 2, 28));
  EXPECT_EQ(v.months, "XXXXXXXXXXXX");
  EXPECT_EQ(v.monthDay, 1);
  EXPECT_EQ(makeRepDate(date, kYearly, v), d(2044, 2, 29));
  EXPECT_EQ(makeRepDate(date, 0, v), d(2044, 2, 29));  // unknown kind: unchanged
  EXPECT_FALSE(detailsEnabled(kOnce));
  EXPECT_FALSE(detailsEnabled(kHourly));
  EXPECT_TRUE(detailsEnabled(kDaily));
  EXPECT_TRUE(detailsEnabled(kYearly));
}

TEST(AlertTitle, CurrentWithLeadTimeAndMissed) {
  EXPECT_EQ(alertTitle(kAlertCurrent, 0), "Aktueller Termin");
  EXPECT_EQ(alertTitle(kAlertCurrent, 15), "Aktueller Termin in 15 Minuten");
  EXPECT_EQ(alertTitle(kAlertCurrent, 1), "Aktueller Termin in 1 Minute");
  EXPECT_EQ(alertTitle(kAlertMissed, 15), "Verpaßter Termin");
}

class AlertContentTest : public ::testing::Test {
 protected:
  AlertContentTest() : ctx("/tmp", cap.clock(), cap.log(), ui) { ctx.lists = kindLists(); }
  test::LogbookCapture cap;
  SilentUserInterface ui;
  Context ctx;
};

TEST_F(AlertContentTest, FieldsOfABirthday) {
  Appointment a;
  a.DATE = d(2024, 5, 3);
  a.TIME = "07:45";
  a.TIMEVON = "08:00";
  a.WARNMIN = 15;
  a.TEXT = "Geburtstag Anna #1990\r\nGeschenk!";
  a.TERMINART = "TA60";
  a.VORLAGE = kYearly;
  a.REPDATE = d(2044, 5, 3);
  const AlertContent c = buildAlertContent(a, kAlertCurrent, ctx);
  EXPECT_EQ(c.title, "Aktueller Termin in 15 Minuten");
  EXPECT_EQ(c.date, "03.05.2024");
  EXPECT_EQ(c.time, "08:00");
  EXPECT_EQ(c.kindText, "Geburtstag");
  EXPECT_EQ(c.kindCode, "TA60");
  EXPECT_EQ(c.repetitionText, "jährlich bis Dienstag, 3. Mai 2044");
  EXPECT_EQ(c.text, "Geburtstag Anna 34\r\nGeschenk!");
  EXPECT_TRUE(c.repeating);
  EXPECT_TRUE(c.autoEnabled);
}

TEST_F(AlertContentTest, LastOccurrenceOfASeriesOffersDeletion) {
  Appointment a;
  a.DATE = d(2024, 5, 3);
  a.TIME = a.TIMEVON = "08:00";
  a.VORLAGE = kYearly;
  a.REPDATE = d(2024, 12, 31);
  ctx.settings.NS_AUTOMIN = 0;
  const AlertContent c = buildAlertContent(a, kAlertMissed, ctx);
  EXPECT_FALSE(c.repeating);
  EXPECT_FALSE(c.autoEnabled);
  EXPECT_EQ(c.title, "Verpaßter Termin");
  a.VORLAGE = kOnce;
  a.REPDATE = Date();
  EXPECT_FALSE(buildAlertContent(a, kAlertCurrent, ctx).repeating);
}

}  // namespace
}  // namespace zrv
