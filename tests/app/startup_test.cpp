#include "app/startup.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <vector>

#include "app/ini_file.h"
#include "store/base/file_io.h"
#include "support/test_context.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;

struct StartupTest : ::testing::Test {
  StartupTest() { t.ctx.CS_EXEPATH = t.dir / "zorvane"; }
  std::string ini(const char* section, const char* key) const {
    return IniFile(t.dir / "ZORVANE.INI").read(section, key, "-");
  }
  test::TestContext t;
};

TEST_F(StartupTest, TheBackupReplacesTheSettingsFileAtStart) {
  t.dir.write("ZORVANE.INI", "[SYSTEM]\r\nTimer=99\r\n");  // edited by hand meanwhile
  t.dir.write("zorvane.sav", "[SYSTEM]\r\nTimer=20\r\n[SETUP]\r\nLOGBUCH=1\r\n");
  startUp(t.ctx);
  EXPECT_EQ(t.ctx.settings.NS_TIMER, 20);
  EXPECT_TRUE(t.ctx.settings.LS_LOGBUCH);
  EXPECT_EQ(ini("ZORVANE", "Product"), "QLS Zorvane v2.00.65");
}

TEST_F(StartupTest, MakesTheProgramDirectoryCurrentAndMarksTheRun) {
  t.dir.write("ZORVANE.INI", "");
  startUp(t.ctx);
  EXPECT_EQ(t.ctx.CRUNIN, t.dir.path() / "");
  EXPECT_EQ(fs::current_path(), t.dir.path());
  EXPECT_TRUE(t.exists("Zorvane.Run"));
  EXPECT_EQ(t.ui.depth, 0);
}

// Only this machine's temporaries can be told dead: another workstation's stay.
TEST_F(StartupTest, TemporariesOfAProcessThatDiedAreRemoved) {
  t.dir.write("ZORVANE.INI", "");
  const std::string host = temporaryHost();
  const std::string mine = "ZORVANE.INI.~" + host + "-" + std::to_string(::getpid()) + "-0";
  t.dir.write("ZORVANE.SAV.~" + host + "-999999999-3", "left by a crash");
  t.dir.write("ZORVANE.SAV.~" + host + "x-999999999-3", "another workstation's");
  t.dir.write(mine, "being written");
  t.dir.write("NOTES.~x-1", "not ours");
  startUp(t.ctx);
  EXPECT_FALSE(t.exists("ZORVANE.SAV.~" + host + "-999999999-3"));
  EXPECT_TRUE(t.exists("ZORVANE.SAV.~" + host + "x-999999999-3"));
  EXPECT_TRUE(t.exists(mine));
  EXPECT_TRUE(t.exists("NOTES.~x-1"));
}

// With the workstation settings file in use the run's files are the workstation's: a second
// workstation on the program directory neither meets them nor removes them.
TEST_F(StartupTest, AWorkstationKeepsTheRunsFilesBesideItsSettings) {
  t.dir.write("ZORVANE.USR", "[SYSTEM]\r\nNetwork=Yes\r\n");
  t.dir.write("MakeJob.sh", "another run's");
  startUp(t.ctx);
  const fs::path folder = t.ctx.workstationIni.parent_path();
  EXPECT_EQ(t.ctx.runFiles, folder / "");
  EXPECT_TRUE(fs::exists(folder / "Zorvane.Run"));
  EXPECT_FALSE(t.exists("Zorvane.Run"));
  std::ofstream(folder / "MakeJob.sh") << "this run's";
  shutDown(t.ctx);
  EXPECT_FALSE(fs::exists(folder / "Zorvane.Run"));
  EXPECT_FALSE(fs::exists(folder / "MakeJob.sh"));
  EXPECT_TRUE(t.exists("MakeJob.sh"));
}

TEST_F(StartupTest, FillsTheStartValuesOfTheRun) {
  t.dir.write("ZORVANE.INI", "");
  t.clock.set("02.01.2021", "23:59:58");  // 2021 began on a Friday: still week 53 of 2020
  startUp(t.ctx);
  EXPECT_EQ(t.ctx.run.DS_STARTDATE, Date::fromDisplay("02.01.2021"));
  EXPECT_EQ(t.ctx.run.DN_DATE, t.ctx.run.DS_STARTDATE);
  EXPECT_EQ(t.ctx.run.CN_TIME, "23:59:58");
  EXPECT_EQ(t.ctx.run.CN_WEEK, "53");
  EXPECT_FALSE(t.ctx.run.LWINXP);
}

TEST_F(StartupTest, RunsTheHooksInOrderAndLogsTheStart) {
  t.dir.write("ZORVANE.INI", "[SETUP]\r\nLOGBUCH=1\r\n[System]\r\nTop=5\r\nLeft=6\r\n");
  struct Steps : StartupSteps {
    std::vector<std::string> calls;
    bool wakeUpAvailable() override {
      calls.push_back("wake");
      return true;
    }
    void keepFailedRunLogbook(Context& ctx) override {
      calls.push_back(ctx.CINIFILE.empty() ? "aside" : "aside after the settings");
    }
    void offerErrorReport(Context&) override { calls.push_back("errors"); }
    void showAboutBox(Context&) override { calls.push_back("about"); }
    void buildDbase(Context& ctx, const std::string& name) override {
      EXPECT_FALSE(ctx.settings.CN_FILE.empty());
      calls.push_back("build " + name);
    }
  } steps;
  const WindowRect rect = startUp(t.ctx, steps);
  const auto& calls = steps.calls;
  EXPECT_EQ(calls, (std::vector<std::string>{"wake", "aside", "errors", "about", "build Zorvane"}));
  EXPECT_TRUE(t.ctx.run.LWINXP);
  EXPECT_EQ(rect, (WindowRect{5, 6, 480, 640}));
  const std::string log = t.read("Zorvane.Log");
  EXPECT_EQ(
      log.rfind("Logbuch f\xFCr QLS Zorvane v2.00.65 erzeugt am 10.06.2024 um 09:30:15\r\n", 0),
      0u);
  EXPECT_NE(log.find("09:30:15 (Zorvane Start) \r\n09:30:15 (GetCoords) "
                     "Fensterkoordinaten einlesen: 5,6,480,640\r\n"),
            std::string::npos);
}

TEST_F(StartupTest, AnExistingTableIsNoFirstStart) {
  t.dir.write("zorvane.ter", "");
  struct Steps : NoStartupSteps {
    bool built = false;
    void buildDbase(Context&, const std::string&) override { built = true; }
  } steps;
  startUp(t.ctx, steps);
  EXPECT_FALSE(steps.built);
}

TEST_F(StartupTest, HiddenOrNormalActivation) {
  t.ctx.settings.LS_ASICON = true;
  chooseActivation(t.ctx);
  EXPECT_TRUE(t.ctx.run.LS_WNDHIDDEN);
  EXPECT_FALSE(t.ctx.run.LS_WNDSHOWN);
  EXPECT_EQ(t.ctx.run.NS_WNDSTATE, 3);
  t.ctx.settings.LS_ASICON = false;
  chooseActivation(t.ctx);
  EXPECT_FALSE(t.ctx.run.LS_WNDHIDDEN);
  EXPECT_TRUE(t.ctx.run.LS_WNDSHOWN);
  EXPECT_EQ(t.ctx.run.NS_WNDSTATE, 2);
}

TEST_F(StartupTest, TheCloseHandlerWritesTableViewAndDate) {
  t.dir.write("ZORVANE.INI", "[ZORVANE]\r\nFILENAME=ZORVANE\r\n[SYSTEM]\r\nToday=1\r\n");
  startUp(t.ctx);
  t.ctx.settings.CN_FILE = "MEIER";
  t.ctx.settings.NS_TODAY = 3;
  t.clock.set("11.06.2024", "00:00:05");
  EXPECT_TRUE(qlExit(t.ctx));
  EXPECT_EQ(ini("ZORVANE", "FILENAME"), "MEIER");
  EXPECT_EQ(ini("SYSTEM", "Today"), "3");
  EXPECT_EQ(ini("SYSTEM", "LastOn"), "11.06.2024");
}

TEST_F(StartupTest, ShutDownBacksUpCleansUpAndLogsTheEnd) {
  t.dir.write("ZORVANE.INI", "[SETUP]\r\nLOGBUCH=1\r\nSHOWLOG=1\r\n");
  startUp(t.ctx);
  for (const char* f :
       {"SYSINFO.TXT", "Zorvane.Slp", "zorvane.gid", "ZrvUpdate.exe", "MakeJob.sh"}) {
    t.dir.write(f, "x");
  }
  t.dir.write("Keep.txt", "x");
  struct Steps : ShutdownSteps {
    explicit Steps(test::TestContext& c) : t(c) {}
    test::TestContext& t;
    std::vector<std::string> calls;
    void closeTables(Context&) override {
      EXPECT_TRUE(t.exists("Zorvane.Run"));
      calls.push_back("close");
    }
    void removeWakeUpJob(Context&) override { calls.push_back("job"); }
    void showLogbook(const fs::path& p) override {
      EXPECT_EQ(p, t.dir / "Zorvane.Log");
      calls.push_back("show");
    }
  } steps(t);
  t.clock.set("10.06.2024", "17:45:00");
  shutDown(t.ctx, steps);
  EXPECT_EQ(steps.calls, (std::vector<std::string>{"close", "job", "show"}));
  EXPECT_EQ(t.read("ZORVANE.SAV"), t.read("ZORVANE.INI"));
  for (const char* f : {"Zorvane.Run", "SYSINFO.TXT", "Zorvane.Slp", "zorvane.gid", "ZrvUpdate.exe",
                        "MakeJob.sh"}) {
    EXPECT_FALSE(t.exists(f)) << f;
  }
  EXPECT_TRUE(t.exists("Keep.txt"));
  const std::string log = t.read("Zorvane.Log");
  EXPECT_TRUE(log.ends_with("17:45:00 (Zorvane) Beendet\r\n")) << log;

  // The end right after an update's installer was started leaves it to run from its file.
  t.dir.write("ZrvUpdate.exe", "x");
  t.ctx.run.installerStarted = true;
  shutDown(t.ctx);
  EXPECT_TRUE(t.exists("ZrvUpdate.exe"));
}

TEST_F(StartupTest, ANetworkInstallationHasNoBackupToWrite) {
  t.dir.write("ZORVANE.USR", "[SYSTEM]\r\nNetwork=Yes\r\n");
  startUp(t.ctx);
  shutDown(t.ctx);
  EXPECT_FALSE(t.exists("ZORVANE.SAV"));
  EXPECT_FALSE(t.exists("ZORVANE.INI"));
  EXPECT_FALSE(t.exists("Zorvane.Run"));
}

}  // namespace
}  // namespace zrv
