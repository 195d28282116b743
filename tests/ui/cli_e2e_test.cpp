// The command line against the running program, and "Während Sie weg waren", as a user meets
// them on a display of their own: --next answers while the window holds the table (also while an
// alert is open), --add appears in the list and rings at its time, a second start brings the
// iconified window back; five appointments missed over a weekend come in one window whose
// "Alle bestätigen" moves each on or files it (checked with dbfread), and with the setting off the
// alerts come one after another as before.
#include <gtest/gtest.h>

#include "platform/system_clock.h"
#include "reminder/recurrence.h"
#include "support/installed_program.h"
#include "ui_test_util.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::kTitle;

class Program : public test::InstalledProgram {
 public:
  explicit Program(const std::string& settings) : test::InstalledProgram(settings) {}
  test::RunResult cli(std::vector<std::string> args) {
    args.insert(args.begin(), (dir / "zorvane").string());
    return test::run(args, env, 90s);
  }
  // One field of one record as dbfread reads the table.
  std::string field(int record, const std::string& name) {
    const auto r = test::run({"/usr/bin/python3",
                              (fs::path(ZRV_SOURCE_DIR) / "tests/store/dbf_dump.py").string(),
                              (dir / "ZORVANE.TER").string()});
    const auto start = r.output.find("record " + std::to_string(record) + "\n");
    const auto at = r.output.find("\n" + name + "=", start);
    if (start == std::string::npos || at == std::string::npos) return "(none)";
    const auto from = at + name.size() + 2;
    return r.output.substr(from, r.output.find('\n', from) - from);
  }
  SystemClock clock;
};

TEST(CommandLineEndToEnd, TheRunningProgramAnswersAddsRingsAndComesToTheFrontOnASecondStart) {
  Program p("[SYSTEM]\r\nTimer=1\r\n[SETUP]\r\nLOGBUCH=1\r\n");
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  test::writeTable(p.dir / "ZORVANE",
                   test::withTrigger(
                       [&] {
                         Appointment a;
                         a.DATE = p.clock.today() + 2;
                         a.TIME = a.TIMEVON = "10:00";
                         a.TEXT = "Zahnarzt";
                         a.VORLAGE = kOnce;
                         a.TERMINART = "TA7";
                         return a;
                       }(),
                       p.clock),
                   p.clock);
  const unsigned long main = p.startShown();
  ASSERT_NE(main, 0u);
  ASSERT_TRUE(test::waitUntil([&] { return p.logHas("(CLI) Befehlszeile bereit"); }, 30s));

  const auto next = p.cli({"--next"});
  EXPECT_EQ(next.status, 0) << next.output;
  EXPECT_NE(next.output.find("Zahnarzt  [privat]"), std::string::npos) << next.output;

  // Due this minute: the alert comes at the next tick.
  const std::string now = p.clock.hhmm();
  const auto added = p.cli({"--add", "Anruf Frau Jäger", "--date", p.clock.today().toDisplay(),
                            "--time", now, "--kind", "telefonisch"});
  ASSERT_EQ(added.status, 0) << added.output;
  EXPECT_NE(added.output.find("Anruf Frau Jäger"), std::string::npos);
  const unsigned long alert = p.watch.waitShown("Aktueller Termin", 60s);
  ASSERT_NE(alert, 0u) << "the added appointment did not ring";
  EXPECT_TRUE(
      p.logHas("(ChkNext) N\xE4"
               "chsten Termin suchen - call von: CLI"));

  // A reading command while the alert holds the window thread in its modal loop.
  const auto before = std::chrono::steady_clock::now();
  const auto during = p.cli({"--list", "--json"});
  EXPECT_LT(std::chrono::steady_clock::now() - before, 5s);
  EXPECT_EQ(during.status, 0) << during.output;
  EXPECT_NE(during.output.find("\"title\": \"Anruf Frau J\xC3\xA4ger\""), std::string::npos);

  ASSERT_TRUE(test::activate(p.env, alert));
  ASSERT_EQ(test::run({"xdotool", "key", "alt+a"}, p.env, 10s).status, 0);  // "&Ablegen"
  ASSERT_TRUE(p.closed("Aktueller Termin"));
  // A change for tomorrow shows in the list at once.
  const auto tomorrow = p.cli(
      {"--add", "Besprechung Süd", "--date", (p.clock.today() + 1).toDisplay(), "--time", "09:00"});
  ASSERT_EQ(tomorrow.status, 0) << tomorrow.output;
  test::pump(1000);
  test::keepScreenshot(p.env, p.watch, main, "cli_main_window");

  // A second start while the window is iconified brings it back instead of a message.
  ASSERT_EQ(
      test::run({"xdotool", "windowminimize", "--sync", std::to_string(main)}, p.env, 10s).status,
      0);
  ASSERT_TRUE(
      test::waitUntil([&] { return p.watch.wmState(main) == test::WindowWatch::kIconic; }, 10s));
  const auto second = p.cli({});
  EXPECT_EQ(second.status, 0) << second.output;
  EXPECT_TRUE(
      test::waitUntil([&] { return p.watch.wmState(main) == test::WindowWatch::kNormal; }, 10s));
  EXPECT_TRUE(p.logHas("(CLI) Zweiter Start: Fenster nach vorn"));

  ASSERT_NO_FATAL_FAILURE(p.closeMainWindow());
  EXPECT_EQ(p.field(2, "TEXT"), "Anruf Frau J\\xe4ger");
  EXPECT_EQ(p.field(2, "TERMINART"), "TA6");
  EXPECT_EQ(p.field(2, "QUIT"), "T");
  test::keepArtifact("cli_e2e_Zorvane.Log", p.log());
}

// Five appointments of different kinds, each missed over the last days.
std::vector<Appointment> missedOverAWeekend(const Clock& clock) {
  const Date today = clock.today();
  auto make = [&](int daysAgo, const char* time, const char* text, int kind, const char* code) {
    Appointment a;
    a.DATE = today - daysAgo;
    a.TIME = a.TIMEVON = time;
    a.TEXT = text;
    a.VORLAGE = kind;
    a.REPDATE = kind == kOnce ? a.DATE : today + 365;
    a.WEKINTVALL = kind == kWeekly ? 1 : 0;
    a.WEEKDAYS = kind == kDaily ? "XXXXXXX" : "";
    a.TERMINART = code;
    return test::withTrigger(a, clock);
  };
  return {make(3, "17:00", "Wochenbericht abgeben", kOnce, "TA4"),
          make(2, "10:00", "Markt", kOnce, "TA7"), make(2, "18:00", "Sport", kWeekly, "TA7"),
          make(1, "08:00", "Zeitung lesen", kDaily, "TA70"),
          make(1, "09:00", "Geburtstag Jörg", kYearly, "TA60")};
}

TEST(MissedSummaryEndToEnd, FiveMissedAppointmentsComeInOneWindowAndAreConfirmedTogether) {
  Program p("[SETUP]\r\nLOGBUCH=1\r\nSHOWOLD=Yes\r\n");
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  test::writeTable(p.dir / "ZORVANE", missedOverAWeekend(p.clock), p.clock);
  p.start();
  const unsigned long window = p.watch.waitShown("Sie weg waren", 60s);
  ASSERT_NE(window, 0u) << "no summary window";
  test::pump(500);
  test::keepScreenshot(p.env, p.watch, window, "missed_summary_window");
  ASSERT_TRUE(test::activate(p.env, window));
  ASSERT_EQ(test::run({"xdotool", "key", "alt+a"}, p.env, 10s).status, 0);
  ASSERT_TRUE(test::waitUntil([&] { return p.logHas("(Weg) Best\xE4tigt: "); }, 30s));
  EXPECT_EQ(p.watch.find("Verpa"), 0u) << "an alert followed the confirmation";
  const unsigned long main = p.watch.waitShown(kTitle, 30s);
  ASSERT_NE(main, 0u);
  p.mainWindow = main;
  ASSERT_NO_FATAL_FAILURE(p.closeMainWindow());

  const Date today = p.clock.today();
  EXPECT_EQ(p.field(1, "QUIT"), "T");  // once-only: filed
  EXPECT_EQ(p.field(2, "QUIT"), "T");
  EXPECT_EQ(p.field(3, "QUIT"), "F");  // weekly: a week on
  const std::string weekOn = (today + 5).dtos();
  EXPECT_EQ(p.field(3, "DATE"),
            weekOn.substr(0, 4) + "-" + weekOn.substr(4, 2) + "-" + weekOn.substr(6, 2));
  EXPECT_EQ(p.field(5, "DATE").substr(0, 4), std::to_string((today - 1).year() + 1));  // yearly
  EXPECT_TRUE(p.logHas("(Weg) W\xE4hrend Sie weg waren: 5 Termine"));
}

TEST(MissedSummaryEndToEnd, WithTheSettingOffTheAlertsComeOneByOneAsBefore) {
  Program p("[SETUP]\r\nLOGBUCH=1\r\nSHOWOLD=Yes\r\nSUMMARY=No\r\n");
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  test::writeTable(p.dir / "ZORVANE", missedOverAWeekend(p.clock), p.clock);
  p.start();
  const unsigned long alert = p.watch.waitShown("Verpa", 60s);
  ASSERT_NE(alert, 0u) << "no alert for the first missed appointment";
  EXPECT_FALSE(p.logHas("(Weg) W\xE4hrend Sie weg waren"));
  p.program->stop();
}

}  // namespace
}  // namespace zrv
