// The installed program prints today's appointments as a user does it with keys: "D&rucken",
// "Termine für &Heute", then in GTK's printer selection Down and Return choose "In Datei
// drucken", which writes Ausgabe.pdf into the program directory; poppler's pdftotext reads it
// back. The list keeps its view and its row. The period dialog refuses a date that names no
// day; Escape in the printer selection prints nothing. Screenshots of the dialogs are kept in
// test-artifacts/.
#include <gtest/gtest.h>

#include <thread>

#include "platform/system_clock.h"
#include "support/installed_program.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Today's appointments, their triggers moved to tomorrow morning (as the alert's "Aut&o" moves
// them), so that no alert comes up while the test runs.
Appointment today(const Clock& clock, const std::string& time, const std::string& text) {
  Appointment a;
  a.DATE = clock.today();
  a.TIME = a.TIMEVON = time;
  a.TDATE = clock.today() + 1;
  a.TTIME = "07:" + time.substr(3, 2);
  a.LAUTO = true;
  a.TEXT = text;
  a.VORLAGE = 1;
  a.TERMINART = "TA70";
  return a;
}

// The digits of a date as typed into a "99.99.9999" field.
std::string typed(const Date& d) {
  const std::string s = d.toDisplay();
  return s.substr(0, 2) + s.substr(3, 2) + s.substr(6, 4);
}

class PrintEndToEnd : public ::testing::Test, public test::InstalledProgram {
 protected:
  PrintEndToEnd() : test::InstalledProgram("[SETUP]\r\nLOGBUCH=1\r\n") {
    test::writeTable(
        dir / "ZORVANE",
        {today(clock, "09:00", "Zahnarzt Dr. Weiß\r\nÜberweisung mitbringen"),
         today(clock, "11:30", "Rückruf Jörg"), today(clock, "16:45", "Frühstück mit Änne")},
        clock);
  }

  test::RunResult tool(std::vector<std::string> argv) { return test::run(argv, env, 30s); }

  // "D&rucken", "Termine für &Heute": the printer selection, with the keyboard.
  unsigned long printerSelection() { return openThroughMenu(mainWindow, "alt+r", "h", "Drucken"); }

  SystemClock clock;
};

TEST_F(PrintEndToEnd, TodayPrintsToAFileAPeriodIsCheckedAndEscapePrintsNothing) {
  ASSERT_TRUE(ready()) << whyNotReady();
  ASSERT_NE(startShown(), 0u) << "no main window";
  std::this_thread::sleep_for(500ms);
  // Today's view, on its second row.
  ASSERT_TRUE(test::activate(env, mainWindow));
  keys({"alt+a", "h"});
  keys({"Down"});

  const unsigned long selection = printerSelection();
  ASSERT_NE(selection, 0u) << "no printer selection";
  std::this_thread::sleep_for(1s);
  test::keepScreenshot(env, watch, selection, "e2e_print_dialog");
  keys({"Down", "Return"});
  const fs::path pdf = dir / "Ausgabe.pdf";  // "output.pdf" in German
  std::string text;
  ASSERT_TRUE(test::waitUntil(
      [&] {
        const auto r = tool({"pdftotext", "-layout", pdf.string(), "-"});
        text = r.output;
        return r.status == 0 && text.find("Frühstück mit Änne") != std::string::npos;
      },
      60s))
      << text << log();
  EXPECT_NE(text.find("Zorvane - Termine für den"), std::string::npos) << text;
  EXPECT_NE(text.find("Zahnarzt Dr. Weiß"), std::string::npos) << text;
  EXPECT_NE(text.find("Überweisung mitbringen"), std::string::npos) << text;
  EXPECT_NE(text.find("11:30"), std::string::npos) << text;
  test::keepArtifact("e2e_print_today.txt", text);
  // Twelve-point letters on the printer too (a word's box is about its font size high).
  const auto boxes = tool({"pdftotext", "-bbox", pdf.string(), "-"});
  const auto word = boxes.output.find(">Rückruf<");
  ASSERT_NE(word, std::string::npos) << boxes.output;
  const auto attribute = [&](const char* name) {
    const auto at = boxes.output.rfind(name, word);
    return std::stod(boxes.output.substr(at + std::string(name).size() + 2));
  };
  const double height = attribute("yMax") - attribute("yMin");
  EXPECT_GT(height, 10.0) << boxes.output.substr(word - 120, 140);
  EXPECT_LT(height, 16.0);
  EXPECT_NE(tool({"pdffonts", pdf.string()}).output.find("LiberationMono"), std::string::npos);
  fs::copy_file(pdf, test::artifactDir() / "e2e_print_today.pdf",
                fs::copy_options::overwrite_existing);

  // The list still shows today's view on its second row: that row goes to the clipboard
  // ("Termin ins ClipBoard &kopieren" shares its letter with "&Kalender anzeigen").
  ASSERT_TRUE(test::activate(env, mainWindow));
  keys({"alt+t", "k", "Return"});
  EXPECT_TRUE(test::waitUntil(
      [&] {
        return tool({"xclip", "-o", "-selection", "clipboard"}).output.find("Rückruf Jörg") == 0;
      },
      10s));
  const unsigned long told = watch.waitShown("Kopieren", 10s);
  ASSERT_NE(told, 0u) << "the copy was not told";
  ASSERT_TRUE(test::activate(env, told));
  keys({"Return"});
  ASSERT_TRUE(closed("Kopieren"));

  // "Termine für &definierten Zeitraum": a date that names no day is refused and the period
  // dialog stays; a sound period goes on to the printer selection, where Escape prints nothing.
  fs::remove(pdf);
  const unsigned long period = openThroughMenu(mainWindow, "alt+r", "d", "Zeitraum drucken");
  ASSERT_NE(period, 0u) << "no period dialog";
  keys({"Home"});
  type("31022026");
  keys({"Return"});
  const unsigned long problem = watch.waitShown("Problem", 10s);
  ASSERT_NE(problem, 0u) << "31.02. was not refused";
  test::keepScreenshot(env, watch, problem, "e2e_print_period_refused");
  ASSERT_TRUE(test::activate(env, problem));
  keys({"Return"});
  ASSERT_TRUE(closed("Problem"));
  ASSERT_TRUE(test::activate(env, period));
  keys({"Home"});
  type(typed(clock.today()));
  test::keepScreenshot(env, watch, period, "e2e_print_period_dialog");
  keys({"Return"});
  const unsigned long selection2 = watch.waitShown("Drucken", 30s);
  ASSERT_NE(selection2, 0u) << "no printer selection after the period";
  ASSERT_TRUE(test::activate(env, selection2));
  keys({"Escape"});
  EXPECT_TRUE(closed("Drucken"));
  std::this_thread::sleep_for(2s);
  EXPECT_FALSE(fs::exists(pdf));
  EXPECT_FALSE(test::windowListed(env, "Problem"));

  ASSERT_NO_FATAL_FAILURE(closeMainWindow());
  EXPECT_NE(dir.read("ZORVANE.INI").find("TODAY=2"), std::string::npos);
  test::keepArtifact("e2e_print.log", log());
}

}  // namespace
}  // namespace zrv
