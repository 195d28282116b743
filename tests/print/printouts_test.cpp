// The printouts' page models on a real table with a fixed clock: which appointments a day, the
// coming week and a period print and where, pages that go on instead of dropping lines, the
// settings page and the error report; and what the user is told around a job.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/appointment_pages.h"
#include "print/error_log_pages.h"
#include "print/printouts.h"
#include "print/setup_page.h"
#include "store/appointments/appointment_table.h"
#include "support/print_fakes.h"
#include "support/reminder_rig.h"

namespace zrv {
namespace {

using test::makeAppointment;

Date d(const char* display) {
  return Date::fromDisplay(display);
}

// A page's texts as "row/column text", its rules as "row/from-to".
std::vector<std::string> texts(const PrintPage& page) {
  std::vector<std::string> out;
  for (const PageText& t : page.texts)
    out.push_back(std::to_string(t.row) + "/" + std::to_string(t.column) + " " + t.text);
  return out;
}

std::vector<std::string> rules(const PrintPage& page) {
  std::vector<std::string> out;
  for (const PageRule& r : page.rules)
    out.push_back(std::to_string(r.row) + "/" + std::to_string(r.from) + "-" +
                  std::to_string(r.to));
  return out;
}

// A table on Wednesday, 9 December 2026.
class Printouts : public ::testing::Test {
 protected:
  // An appointment whose trigger the alert's "Aut&o" moved past its own day.
  void addWithTrigger(Appointment a, const char* triggerDate, const char* triggerTime) {
    const std::uint32_t recno = rig.add(std::move(a));
    Appointment moved = rig.at(recno);
    moved.TDATE = d(triggerDate);
    moved.TTIME = triggerTime;
    moved.LAUTO = true;
    ASSERT_TRUE(rig.table->write(moved));
    ASSERT_TRUE(rig.table->commit());
  }

  test::ReminderRig rig{"09.12.2026", "08:00:00"};
  test::RecordingPrinter printer;
};

TEST_F(Printouts, ADayPrintsItsAppointmentsInTriggerOrderAndSkipsOtherDaysBetweenThem) {
  rig.add(makeAppointment("09.12.2026", "14:30", "Rückruf Jörg"));
  rig.add(makeAppointment("09.12.2026", "10:00",
                          "Zahnarzt Dr. Weiß\r\nBohrer mitbringen\r\nÜberweisung"));
  rig.add(makeAppointment("09.12.2026", "00:30", "Frühschicht", 1, 60));  // triggers 8.12.
  rig.add(makeAppointment("08.12.2026", "23:45", "gestern"));
  addWithTrigger(makeAppointment("08.12.2026", "09:00", "verschoben"), "09.12.2026", "12:00");
  Appointment filed = makeAppointment("09.12.2026", "11:00", "abgelegt");
  filed.QUIT = true;
  rig.add(filed);
  // The list shows the filed view on its second record: it stays there.
  ASSERT_TRUE(rig.table->setView(3));
  ASSERT_TRUE(rig.table->goTo(2));

  const Printout p = dayPrintout(*rig.table, d("09.12.2026"));
  ASSERT_TRUE(p.status) << p.status.message();
  ASSERT_TRUE(p.job);
  ASSERT_EQ(p.job->pages.size(), 1u);
  const PrintPage& page = p.job->pages[0];
  EXPECT_TRUE(page.headFrame);
  EXPECT_EQ(texts(page), (std::vector<std::string>{
                             "1/8 Zorvane - Termine für den  9. Dezember 2026", "4/8 00:30",
                             "4/14 Frühschicht",  //
                             "7/8 10:00", "7/14 Zahnarzt Dr. Weiß", "8/14 Bohrer mitbringen",
                             "9/14 Überweisung",  //
                             "12/8 14:30", "12/14 Rückruf Jörg"}));
  EXPECT_EQ(rules(page), (std::vector<std::string>{"6/8-78", "11/8-78", "14/8-78"}));
  for (const PageText& t : page.texts)
    EXPECT_EQ(t.font, PageFont::Printer);
  EXPECT_EQ(rig.table->table().order(), 2);
  EXPECT_EQ(rig.table->recNo(), 2u);
}

TEST_F(Printouts, ADayWhoseOnlyAppointmentTriggersTheDayBeforeIsPrintedAnEmptyDayIsTold) {
  rig.add(makeAppointment("10.12.2026", "00:30", "Frühschicht", 1, 60));
  EXPECT_EQ(printADay(rig.ctx, *rig.table, d("10.12.2026"), printer), PrintOutcome::Printed);
  EXPECT_EQ(printADay(rig.ctx, *rig.table, d("11.12.2026"), printer), std::nullopt);
  ASSERT_EQ(printer.jobs.size(), 1u);
  EXPECT_EQ(texts(printer.jobs[0].pages[0])[2], "4/14 Frühschicht");
  EXPECT_EQ(
      rig.ui.messages,
      (std::vector<std::string>{"Problem: Für den 11.12.2026 wurden keine Termine gefunden !"}));
}

TEST_F(Printouts, TheWeekRunsFromTheComingSaturdayWithADoubleRuleBetweenDays) {
  EXPECT_EQ(nextWeek(d("09.12.2026")).from, d("12.12.2026"));  // Wednesday
  EXPECT_EQ(nextWeek(d("09.12.2026")).to, d("18.12.2026"));
  EXPECT_EQ(nextWeek(d("12.12.2026")).from, d("12.12.2026"));  // Saturday
  EXPECT_EQ(nextWeek(d("13.12.2026")).from, d("13.12.2026"));  // Sunday
  EXPECT_EQ(nextWeek(d("13.12.2026")).to, d("19.12.2026"));

  rig.add(makeAppointment("11.12.2026", "10:00", "vorher"));
  rig.add(makeAppointment("12.12.2026", "18:00", "Konzert"));
  rig.add(makeAppointment("12.12.2026", "09:00", "Markt"));
  rig.add(makeAppointment("14.12.2026", "08:00", "Übergabe Projektbericht"));
  rig.add(makeAppointment("19.12.2026", "10:00", "nachher"));
  const Printout p = weekPrintout(rig.ctx, *rig.table);
  ASSERT_TRUE(p.job);
  const PrintPage& page = p.job->pages[0];
  EXPECT_EQ(texts(page), (std::vector<std::string>{
                             "1/8 ZorvaneQLS Zorvane v2.00.65 - Termine für die Woche vom  12. "
                             "Dez. 2026 bis zum  18. Dez. 2026",
                             "4/8 Sa.", "4/13 Markt", "7/8 Sa.", "7/13 Konzert", "11/8 Mo.",
                             "11/13 Übergabe Projektbericht"}));
  EXPECT_EQ(rules(page), (std::vector<std::string>{"6/8-78", "9/8-78", "10/8-78", "13/8-78"}));
  EXPECT_EQ(page.texts[1].font, PageFont::Sans);

  rig.clock.set("13.12.2026", "08:00");  // on a Sunday the week starts today
  const Printout sunday = weekPrintout(rig.ctx, *rig.table);
  ASSERT_TRUE(sunday.job);
  EXPECT_EQ(texts(sunday.job->pages[0]).back(), "8/13 nachher");
}

TEST_F(Printouts, AWeekWithoutAnythingFromItsStartPrintsNothingAndSaysNothing) {
  rig.add(makeAppointment("10.12.2026", "10:00", "vorher"));
  EXPECT_EQ(printNxtWeek(rig.ctx, *rig.table, printer), std::nullopt);
  EXPECT_TRUE(printer.jobs.empty());
  EXPECT_TRUE(rig.ui.messages.empty());
  // One after its end: the head alone.
  rig.add(makeAppointment("21.12.2026", "10:00", "später"));
  EXPECT_EQ(printNxtWeek(rig.ctx, *rig.table, printer), PrintOutcome::Printed);
  ASSERT_EQ(printer.jobs.size(), 1u);
  EXPECT_EQ(printer.jobs[0].pages[0].texts.size(), 1u);
}

TEST_F(Printouts, APeriodFromADayToItselfPrintsThatDaysDatesAndTimes) {
  rig.add(makeAppointment("14.12.2026", "09:15", "Jahresgespräch"));
  rig.add(makeAppointment("15.12.2026", "09:15", "am Tag danach"));
  test::ScriptedPeriod period;
  period.answer = PrintPeriod{d("14.12.2026"), d("14.12.2026")};
  EXPECT_EQ(printDefined(rig.ctx, *rig.table, {printer, period}), PrintOutcome::Printed);
  ASSERT_EQ(period.asked.size(), 1u);
  EXPECT_EQ(period.asked[0].from, d("09.12.2026"));  // the dialog starts on today
  EXPECT_EQ(period.asked[0].to, d("09.12.2026"));
  ASSERT_EQ(printer.jobs.size(), 1u);
  EXPECT_EQ(texts(printer.jobs[0].pages[0]),
            (std::vector<std::string>{"1/8 ZorvaneQLS Zorvane v2.00.65 - Termine für den "
                                      "Zeitraum vom  14. Dez. 2026 bis zum  14. Dez. 2026",
                                      "4/8 Mo.", "4/12 14.12 09:15", "4/23 Jahresgespräch"}));
  period.answer.reset();  // cancelled: nothing
  EXPECT_EQ(printDefined(rig.ctx, *rig.table, {printer, period}), std::nullopt);
  EXPECT_EQ(printer.jobs.size(), 1u);
}

TEST_F(Printouts, ALongDayGoesOnToFurtherPagesEachWithItsHead) {
  for (int i = 0; i < 80; ++i) {
    const std::string time =
        (i < 60 ? "08:" : "09:") + std::string(i % 60 < 10 ? "0" : "") + std::to_string(i % 60);
    rig.add(makeAppointment("09.12.2026", time, "Termin " + std::to_string(i + 1)));
  }
  const Printout p = dayPrintout(*rig.table, d("09.12.2026"));
  ASSERT_TRUE(p.job);
  // Three rows each from row 4: 19 appointments a page.
  ASSERT_EQ(p.job->pages.size(), 5u);
  std::size_t printed = 0;
  for (const PrintPage& page : p.job->pages) {
    EXPECT_TRUE(page.headFrame);
    EXPECT_EQ(page.texts[0].text, "Zorvane - Termine für den  9. Dezember 2026");
    EXPECT_EQ(page.texts[1].row, 4);
    for (const PageText& t : page.texts)
      EXPECT_LE(t.row, 58);
    for (const PageRule& r : page.rules)
      EXPECT_LE(r.row, 58);
    printed += (page.texts.size() - 1) / 2;
  }
  EXPECT_EQ(printed, 80u);
  EXPECT_EQ(p.job->pages[1].texts[2].text, "Termin 20");
}

TEST_F(Printouts, TheSettingsPageReadsTheSoundSlotsThemselves) {
  rig.ctx.settings.NS_TODAY = 4;
  rig.setSlotSound(3, 3, "");  // emptied: no fall-back to the appointment's sound
  const PrintJob single = setupPrintout(rig.ctx);
  ASSERT_EQ(single.pages.size(), 1u);
  const std::vector<std::string> lines = texts(single.pages[0]);
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_EQ(lines[0], "1/8 ZorvaneQLS Zorvane v2.00.65 - Setup / Einstellungen");
  EXPECT_EQ(lines[1], "4/8 Aktuelle Termindatei: ZORVANE.TER");
  EXPECT_EQ(lines[3], "7/8 Diese nicht mehr anzeigen wenn mehr als 10 Min. vergangen sind");
  EXPECT_EQ(lines[7], "12/8 Darstellung: Verpaßte Termine");
  EXPECT_EQ(lines[11], "18/8 Alarm für Termin: .\\sounds\\Termin.wav");
  EXPECT_EQ(lines[13], "20/8 Halbe Stunde Sound: ");
  EXPECT_EQ(lines[16], "23/8 Termine aktualisiert: .\\sounds\\Netzwerk.wav");
  EXPECT_EQ(lines[17], "26/8 QLS Zorvane v2.00.65");
  EXPECT_EQ(lines[20].substr(0, 14), "30/8 Support: ");

  rig.ctx.settings.LS_LAN = true;
  rig.ctx.settings.CS_USERFILE = "MUELLER";
  const std::vector<std::string> lan = texts(setupPrintout(rig.ctx).pages[0]);
  EXPECT_EQ(lan[0], "1/8 ZorvaneQLS Zorvane v2.00.65LAN - Setup / Einstellungen");
  EXPECT_EQ(lan[10], "16/8 Datei   : MUELLER");
}

TEST_F(Printouts, TheErrorReportPrintsFiftyLinesAPageAndCutsLongLines) {
  std::string report;
  for (int i = 1; i <= 119; ++i)
    report += "Zeile " + std::to_string(i) + "\r\n";
  report += std::string(75, 'x') + "\xFC\r\n";  // 76 characters: two printed lines
  rig.dir.write("Error.log", report);
  EXPECT_EQ(printErrorLog(rig.ctx, printer, rig.dir / "Error.log"), PrintOutcome::Printed);
  ASSERT_EQ(printer.jobs.size(), 1u);
  const PrintJob& job = printer.jobs[0];
  ASSERT_EQ(job.pages.size(), 3u);
  EXPECT_EQ(job.pages[0].texts.size(), 50u);
  EXPECT_EQ(job.pages[1].texts.size(), 50u);
  ASSERT_EQ(job.pages[2].texts.size(), 21u);
  EXPECT_FALSE(job.pages[0].headFrame);
  EXPECT_EQ(texts(job.pages[1])[0], "1/8 Zeile 51");
  EXPECT_EQ(texts(job.pages[2]).back(), "21/8 xxxxxü");
  EXPECT_EQ(job.pages[2].texts[19].text, std::string(70, 'x'));

  // A failed job is told (and the caller learns it); a cancelled one is not.
  printer.outcome = PrintOutcome::Failed;
  EXPECT_EQ(printErrorLog(rig.ctx, printer, rig.dir / "Error.log"), PrintOutcome::Failed);
  printer.outcome = PrintOutcome::Cancelled;
  EXPECT_EQ(printSetup(rig.ctx, printer), PrintOutcome::Cancelled);
  EXPECT_EQ(printErrorLog(rig.ctx, printer, rig.dir / "fehlt.log"), PrintOutcome::Failed);
  EXPECT_EQ(rig.ui.messages,
            (std::vector<std::string>{"Problem: Der Ausdruck ist fehlgeschlagen.",
                                      "Problem: Der Ausdruck ist fehlgeschlagen."}));
}

}  // namespace
}  // namespace zrv
