// The installed program from start to end, as a user runs it: a program directory made by
// `cmake --install`, the program started on a display of its own, its window closed through
// the window manager.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <thread>

#include "app/ini_file.h"
#include "store/base/clock.h"
#include "store/xbase/redo_journal.h"
#include "support/installed_program.h"
#include "support/table_rig.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

using test::installInto;
using test::kTitle;

// Every file below `dir` with a checksum of its bytes.
std::map<std::string, std::size_t> filesIn(const test::TestDir& dir) {
  std::map<std::string, std::size_t> files;
  for (const auto& e : fs::recursive_directory_iterator(dir.path())) {
    if (e.is_regular_file()) {
      const std::string rel = fs::relative(e.path(), dir.path()).string();
      files[rel] = std::hash<std::string>{}(dir.read(rel));
    }
  }
  return files;
}

// A second copy started on a program directory in use asks the running program to show its
// window and ends without changing a byte of any file there: not the settings, their backup, the
// run marker or the table. The logbook gains only the running program's line about it.
TEST(StartupEndToEnd, ASecondCopyBringsTheWindowToTheFrontAndChangesNoFile) {
  test::InstalledProgram p;
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  const auto& dir = p.dir;
  const auto& env = p.env;
  // With the logbook on, whose replacement by a second start would show.
  ASSERT_TRUE(IniFile(dir / "ZORVANE.INI").write("SETUP", "LOGBUCH", "1"));
  p.start();
  test::Process& first = *p.program;
  ASSERT_TRUE(first.started());
  ASSERT_TRUE(test::waitUntil([&] { return test::windowListed(env, kTitle); }, 60s))
      << "no window titled " << kTitle;
  std::this_thread::sleep_for(3s);  // the first copy has placed its window and saved it
  auto before = filesIn(dir);
  const std::string logBefore = dir.read("Zorvane.Log");

  test::Process second({(dir / "zorvane").string()}, env);
  ASSERT_TRUE(second.started());
  EXPECT_EQ(second.waitFor(30s), 0) << "the second copy did not end";
  ASSERT_TRUE(test::waitUntil(
      [&] { return dir.read("Zorvane.Log").find("(CLI) Zweiter Start") != std::string::npos; },
      10s));
  auto after = filesIn(dir);
  const std::string logAfter = dir.read("Zorvane.Log");
  EXPECT_EQ(logAfter.substr(0, logBefore.size()), logBefore) << "the logbook was replaced";
  before.erase("Zorvane.Log");
  after.erase("Zorvane.Log");
  EXPECT_EQ(after, before);
  EXPECT_TRUE(first.running());
  (void)test::run({"wmctrl", "-F", "-c", kTitle}, env, 5s);
  EXPECT_TRUE(first.waitFor(60s).has_value());
}

TEST(StartupEndToEnd, RunMarkerSettingsAndLogbookOfOneRun) {
  test::InstalledProgram p("[SETUP]\r\nLOGBUCH=1\r\n");
  const auto& dir = p.dir;
  ASSERT_TRUE(fs::exists(dir / "zorvane"));
  ASSERT_TRUE(fs::exists(dir / "ZORVANE.INI"));
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  p.start();
  ASSERT_TRUE(p.program->started());
  ASSERT_TRUE(test::waitUntil([&] { return test::windowListed(p.env, kTitle); }, 60s))
      << "no window titled " << kTitle;
  EXPECT_TRUE(p.program->running());
  EXPECT_TRUE(fs::exists(dir / "Zorvane.Run"));
  const std::string ini = dir.read("ZORVANE.INI");
  EXPECT_NE(ini.find("[ZORVANE]\r\nProduct=QLS Zorvane v2.00.65\r\n"), std::string::npos) << ini;
  EXPECT_EQ(IniFile(dir / "ZORVANE.INI").read("ZORVANE", "Product", ""), kTitle);

  ASSERT_NO_FATAL_FAILURE(p.closeMainWindow());

  EXPECT_FALSE(fs::exists(dir / "Zorvane.Run"));
  const std::string log = dir.read("Zorvane.Log");
  EXPECT_TRUE(log.starts_with("Logbuch f\xFCr QLS Zorvane v2.00.65 erzeugt am ")) << log;
  EXPECT_NE(log.find("\r\n" + std::string(80, '=') + "\r\n"), std::string::npos);
  EXPECT_NE(log.find(" (Zorvane Start) \r\n"), std::string::npos) << log;
  EXPECT_TRUE(log.ends_with(" (Zorvane) Beendet\r\n")) << log;
  // The close handler's settings, and the backup of the settings file made at the end.
  const IniFile settings(dir / "ZORVANE.INI");
  EXPECT_EQ(settings.read("ZORVANE", "FILENAME", ""), "ZORVANE");
  EXPECT_EQ(settings.read("SYSTEM", "Today", ""), "1");
  EXPECT_EQ(settings.read("SYSTEM", "LastOn", "").size(), 10u);
  EXPECT_EQ(dir.read("ZORVANE.SAV"), dir.read("ZORVANE.INI"));

  // The first start created the appointment table with the four samples, and opened it.
  EXPECT_NE(log.find(" (CheckDBF) Datenbank-Struktur pr\xFC"
                     "fen: ZORVANE\r\n"),
            std::string::npos)
      << log;
  for (const char* f :
       {"ZORVANE.TER", "ZORVANE.DBT", "ZORVANE.NT1", "ZORVANE.NT2", "ZORVANE.NT3", "ZORVANE.NT4"}) {
    EXPECT_TRUE(fs::exists(dir / f)) << f;
  }
  const auto table = test::readWithDbfread(dir / "ZORVANE.TER");
  ASSERT_EQ(table.count, 4) << table.output;
  EXPECT_EQ(table.deleted, 0);
  EXPECT_TRUE(
      table.records[0].at("TEXT").ends_with("Einige Beispieltermine haben wir bereits "
                                            "eingefügt."));
  EXPECT_EQ(table.records[3].at("TEXT"),
            "Es weihnachtet sehr, Zeit endlich die Geschenke zu kaufen !");
  std::string fault;
  EXPECT_EQ(test::walkNtx(dir / "ZORVANE.NT1", &fault).size(), 4u) << fault;
}

// The journal of a copy put in place of the table since the last run (bound to another file):
// the first open at start sets it aside, says so on screen and in the logbook, and the program
// goes on with the table as it is.
TEST(StartupEndToEnd, AJournalSetAsideAtStartIsToldOnScreenAndInTheLogbook) {
  test::InstalledProgram p("[SETUP]\r\nLOGBUCH=1\r\n");
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  const FixedClock clock("10.06.2024", "09:00");
  Appointment a;
  a.DATE = a.TDATE = *Date::fromYmd(2099, 6, 17);  // far ahead: no alert comes up
  a.TIME = a.TIMEVON = a.TTIME = "10:00";
  a.TEXT = "Besprechung";
  a.VORLAGE = 1;
  test::writeTable(p.dir / "ZORVANE", a, clock);
  auto other = *RedoJournal::identityOf(p.dir / "ZORVANE.TER");
  ++other.inode;
  p.dir.write("ZORVANE.TER.~jn",
              RedoJournal::encodeHeader(7, 0, other, "") +
                  RedoJournal::encodeTransaction(7, 0, 0, {{"ZORVANE.TER", 0, "x"}}));
  p.start();
  const unsigned long box = p.watch.waitShown("Problem", 60s);
  ASSERT_NE(box, 0u) << "no message about the journal";
  std::this_thread::sleep_for(500ms);
  test::keepScreenshot(p.env, p.watch, box, "e2e_journal_set_aside");
  ASSERT_TRUE(test::activate(p.env, box));
  p.keys({"Return"});
  ASSERT_NE(p.watch.waitShown(kTitle, 60s), 0u);
  ASSERT_NO_FATAL_FAILURE(p.closeMainWindow());
  EXPECT_TRUE(fs::exists(p.dir / "ZORVANE.TER.~jx"));
  EXPECT_FALSE(fs::exists(p.dir / "ZORVANE.TER.~jn"));
  EXPECT_NE(p.log().find(" (CheckDBF) Das \xC4nderungsprotokoll der Datei ZORVANE.TER geh\xF6rt "
                         "nicht zu dieser Datei (sie wurde ersetzt) und wurde nicht angewendet. Es "
                         "wurde als ZORVANE.TER.~jx beiseitegelegt.\r\n"),
            std::string::npos)
      << p.log();
  const auto table = test::readWithDbfread(p.dir / "ZORVANE.TER");
  ASSERT_EQ(table.count, 1) << table.output;
  EXPECT_EQ(table.records[0].at("TEXT"), "Besprechung");
}

TEST(StartupEndToEnd, InstallingAgainKeepsTheSettingsWhateverTheirCase) {
  test::TestDir dir;
  dir.write("zorvane.ini", "[SYSTEM]\r\nTimer=45\r\n");
  const auto installed = installInto(dir.path());
  ASSERT_EQ(installed.status, 0) << installed.output;
  EXPECT_FALSE(fs::exists(dir / "ZORVANE.INI"));
  EXPECT_EQ(dir.read("zorvane.ini"), "[SYSTEM]\r\nTimer=45\r\n");
  EXPECT_TRUE(fs::exists(dir / "zorvane"));
}

TEST(StartupEndToEnd, ANetworkInstallationGetsTheTemplateInsteadOfTheSettingsFile) {
  test::TestDir dir;
  ASSERT_EQ(installInto(dir.path(), "network").status, 0);
  const auto installed = installInto(dir.path());
  ASSERT_EQ(installed.status, 0) << installed.output;
  EXPECT_FALSE(fs::exists(dir / "ZORVANE.INI"));
  EXPECT_EQ(IniFile(dir / "ZORVANE.USR").read("SYSTEM", "Network", ""), "Yes");
  EXPECT_TRUE(fs::exists(dir / "zorvane"));
}

}  // namespace
}  // namespace zrv
