// The installed program's table commands as a user drives them with keys: Alt+D, N with the
// name "Termine2024" makes and opens TERMINE2 and the due check goes on with it; Alt+D, Ö of a
// table another process holds keeps the current table and says so in German; Alt+D, L of the
// current table is refused. Screenshots of the dialogs are kept in test-artifacts/.
#include <gtest/gtest.h>

#include "platform/system_clock.h"
#include "support/installed_program.h"
#include "support/lock_holder.h"
#include "ui_test_util.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The appointment of every table: one a week ahead.
Appointment nextWeek(const Clock& clock) {
  Appointment a;
  a.DATE = a.TDATE = clock.today() + 7;
  a.TIME = a.TIMEVON = a.TTIME = "10:00";
  a.TEXT = "Besprechung";
  a.VORLAGE = 1;
  a.TERMINART = "TA70";
  return a;
}

class TableFilesEndToEnd : public ::testing::Test, public test::InstalledProgram {
 protected:
  TableFilesEndToEnd() : test::InstalledProgram("[SYSTEM]\r\nTimer=1\r\n[SETUP]\r\nLOGBUCH=1\r\n") {
    test::writeTable(dir / "ZORVANE", nextWeek(clock), clock);
    test::writeTable(dir / "ANDERE", nextWeek(clock), clock);
  }

  test::RunResult xdotool(std::vector<std::string> args) {
    args.insert(args.begin(), "xdotool");
    return test::run(args, env, 10s);
  }

  // Alt+D and `letter` in the main window open the file dialog, which gets the keyboard.
  unsigned long fileDialog(const std::string& letter, const std::string& title) {
    return openThroughMenu(mainWindow, "alt+d", letter, title);
  }

  // Types `path` into the file dialog's location field and accepts.
  void choosePath(const std::string& path) {
    xdotool({"key", "ctrl+l"});
    test::pump(200);
    xdotool({"type", "--delay", "20", path});
    test::pump(300);
    xdotool({"key", "Return"});
  }

  // A shown window titled exactly `title` (UTF-8); 0 when there is none.
  unsigned long shownWindow(const std::string& title) {
    const auto found = xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"});
    if (found.status != 0 || found.output.empty()) return 0;
    return std::stoul(found.output.substr(0, found.output.find('\n')));
  }

  // Confirms a shown message box titled `title` after a screenshot; false when none shows.
  bool dismissShown(const std::string& title, const std::string& shot) {
    const unsigned long box = shownWindow(title);
    if (box == 0 || watch.wmState(box) != test::WindowWatch::kNormal) return false;
    test::pump(300);
    test::keepScreenshot(env, watch, box, shot);
    test::activate(env, box);
    xdotool({"key", "Return"});
    return test::waitUntil([&] { return watch.wmState(box) != test::WindowWatch::kNormal; }, 10s);
  }

  SystemClock clock;
};

TEST_F(TableFilesEndToEnd, NewOpenAndDeleteDrivenByKeys) {
  ASSERT_TRUE(ready()) << whyNotReady();
  ASSERT_NE(startShown(), 0u) << "no main window";
  test::pump(500);

  // "&Neu": the name typed is cut to eight letters in capitals.
  const unsigned long created = fileDialog("n", "Neue Termin-Datei anlegen");
  ASSERT_NE(created, 0u) << "no dialog for a new table";
  test::keepScreenshot(env, watch, created, "e2e_dialog_new_table");
  xdotool({"type", "--delay", "20", "Termine2024"});
  test::pump(300);
  xdotool({"key", "Return"});
  ASSERT_TRUE(test::waitUntil([&] { return fs::exists(dir / "TERMINE2.TER"); }, 30s));
  // The next tick of the due check runs on the new table and finds its first appointment.
  ASSERT_TRUE(test::waitUntil(
      [&] {
        const std::string log = dir.read("Zorvane.Log");
        const auto opened = log.find(
            "(CheckDBF) Datenbank-Struktur pr\xFC"
            "fen: TERMINE2");
        if (opened == std::string::npos) return false;
        const auto tick = log.find("(Im Timer)", opened);
        return tick != std::string::npos &&
               log.find("neue, leere Termindatei", tick) != std::string::npos;
      },
      30s))
      << dir.read("Zorvane.Log");
  ASSERT_TRUE(program->running()) << dir.read("Zorvane.Log");
  test::keepScreenshot(env, watch, mainWindow, "e2e_main_window_termine2");

  // "&Öffnen" of a table that another process holds: the current table stays.
  {
    test::RecordLockHolder other(dir / "ANDERE", 1);
    ASSERT_TRUE(other.holding());
    const unsigned long opened = fileDialog("odiaeresis", "Termin-Datei");
    ASSERT_NE(opened, 0u) << "no dialog to open a table";
    test::keepScreenshot(env, watch, opened, "e2e_dialog_open_table");
    choosePath((dir / "ANDERE.TER").string());
    // First why the table cannot be opened, then that the current one stays.
    int told = 0;
    ASSERT_TRUE(test::waitUntil(
        [&] {
          if (dismissShown("Problem", "e2e_open_refused_" + std::to_string(told + 1))) ++told;
          return told == 2;
        },
        60s))
        << dir.read("Zorvane.Log");
    EXPECT_TRUE(
        logHas("ANDERE bleibt geschlossen; zur\xFC"
               "ck zu TERMINE2"));
  }

  // "&Löschen" of the table in use is refused.
  const unsigned long deleting = fileDialog("l", "Termin-Datei");
  ASSERT_NE(deleting, 0u) << "no dialog to delete a table";
  choosePath((dir / "TERMINE2.TER").string());
  ASSERT_TRUE(test::waitUntil(
      [&] { return dismissShown("Datei l\xC3\xB6schen", "e2e_delete_refused"); }, 30s))
      << "no refusal";
  EXPECT_TRUE(fs::exists(dir / "TERMINE2.TER"));

  ASSERT_NO_FATAL_FAILURE(closeMainWindow());
  const std::string log = this->log();
  test::keepArtifact("e2e_table_files.log", log);
  EXPECT_TRUE(fs::exists(dir / "ANDERE.TER"));
  EXPECT_TRUE(log.ends_with(" (Zorvane) Beendet\r\n")) << log;
  EXPECT_NE(dir.read("ZORVANE.INI").find("TERMINE2"), std::string::npos);
}

}  // namespace
}  // namespace zrv
