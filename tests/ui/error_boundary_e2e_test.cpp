// An exception the program did not expect ends it through its normal shut-down, wherever it
// escapes: the help module beside the program is replaced by one whose every page throws, and
// help is asked for from a modal window (the editor's "&Hilfe") and from a call made after an
// event (F1 in the main window). Each time the error window comes, "&Ende" ends the run with
// status 1 through the shut-down: the logbook names the error, the run marker is gone and the
// settings are backed up.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/installed_program.h"

namespace zrv {
namespace {
using namespace std::chrono_literals;
namespace fs = std::filesystem;

class FaultyHelp : public test::InstalledProgram {
 public:
  FaultyHelp() : test::InstalledProgram("[SETUP]\r\nLOGBUCH=1\r\n") {
    fs::copy_file(ZRV_THROWING_HELP_MODULE, dir / "zorvane_help.so",
                  fs::copy_options::overwrite_existing);
  }

  // The error window comes, is kept as a screenshot and ended; the program then ends in order.
  void endsThroughItsShutDown(const std::string& error, const std::string& screenshot) {
    const unsigned long box = watch.waitShown("Laufzeitfehler", 30s);
    ASSERT_NE(box, 0u) << "no error window";
    test::keepScreenshot(env, watch, box, screenshot);
    ASSERT_TRUE(test::activate(env, box));
    keys({"alt+e"});
    const auto status = program->waitFor(60s);
    ASSERT_TRUE(status.has_value()) << "the program stayed up after the error";
    EXPECT_EQ(*status, 1);
    EXPECT_TRUE(logHas("(Hauptschleife) Laufzeitfehler: Error std::runtime_error/???  " + error))
        << log();
    EXPECT_TRUE(fs::exists(dir / "Error.log"));
    EXPECT_TRUE(logHas("(Zorvane) Beendet")) << log();
    EXPECT_FALSE(fs::exists(dir / "Zorvane.Run"));
    EXPECT_TRUE(fs::exists(dir / "ZORVANE.SAV"));
  }
};

TEST(ErrorBoundaryEndToEnd, AThrowInAModalWindowEndsTheProgramThroughItsShutDown) {
  FaultyHelp p;
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  ASSERT_NE(p.startShown(), 0u) << "no main window";
  fs::remove(p.dir / "ZORVANE.SAV");
  ASSERT_NE(p.open(p.mainWindow, {"Insert"}, "Termin-Verwaltung"), 0u) << "no editor";
  p.keys({"alt+h"});
  p.endsThroughItsShutDown("Hilfeseite Neuer Termin kaputt", "e2e_error_in_modal_window");
}

TEST(ErrorBoundaryEndToEnd, AThrowInACallAfterEndsTheProgramThroughItsShutDown) {
  FaultyHelp p;
  ASSERT_TRUE(p.ready()) << p.whyNotReady();
  ASSERT_NE(p.startShown(), 0u) << "no main window";
  fs::remove(p.dir / "ZORVANE.SAV");
  ASSERT_TRUE(test::activate(p.env, p.mainWindow));
  p.keys({"F1"});
  p.endsThroughItsShutDown("Hilfeseite Hauptauswahl kaputt", "e2e_error_after_event");
}

}  // namespace
}  // namespace zrv
