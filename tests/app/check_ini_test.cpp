#include "app/check_ini.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>

#include "app/check_dbf.h"
#include "app/settings_backup.h"
#include "app/settings_file.h"
#include "store/appointments/appointment_record.h"
#include "store/appointments/appointment_table.h"
#include "support/test_context.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;

struct CheckIniTest : ::testing::Test {
  test::TestContext t;
  Settings& s = t.ctx.settings;
};

TEST_F(CheckIniTest, AMissingFileGivesEveryDefault) {
  t.dir.write("ZORVANE.USR", "");  // network installation with an empty template
  ASSERT_TRUE(checkIni(t.ctx));
  EXPECT_EQ(t.ctx.CINIFILE, t.ctx.workstationIni);
  EXPECT_EQ(s.CN_FILE, "ZORVANE");
  EXPECT_FALSE(s.LS_ASTART || s.LS_ASICON || s.LS_INTRAY || s.LS_ALARMON || s.LS_LOGBUCH ||
               s.LS_SHOWLOG || s.LS_SHOWOLD || s.LS_WAKEUP || s.LS_SLOESCH || s.LS_VWORIG ||
               s.LS_LAN || s.LM_ONLINE);
  EXPECT_EQ(s.NS_TIMER, 30);
  EXPECT_EQ(s.NS_TODAY, 1);
  EXPECT_EQ(s.NS_ERROR, 1);
  EXPECT_EQ(s.NS_MIN, 10);
  EXPECT_EQ(s.NS_AUTOMIN, 10);
  EXPECT_EQ(s.NS_WAKEUPM, 2);
  EXPECT_EQ(s.NS_WEEKSHOW, 1);
  EXPECT_EQ(s.NS_LANACTUAL, 3);
  EXPECT_TRUE(s.lastOn.empty());
  EXPECT_EQ(s.CS_USER, std::string(30, ' '));
  EXPECT_EQ(s.CS_USERFILE, "");
  EXPECT_EQ(t.ui.depth, 0);
}

TEST_F(CheckIniTest, ReadsEveryKeyWithItsConventions) {
  t.dir.write("ZORVANE.INI",
              "[ZORVANE]\r\nFILENAME=MEIER\r\n"
              "[System]\r\nASTART=Yes\r\nASICON=yes\r\nInTray=YES\r\nTimer=15 Sek.\r\nTODAY=2\r\n"
              "LastOn=09.06.2024\r\nALARMON=Yes\r\n"
              "[setup]\r\nErrors=3\r\nLogbuch=1\r\nShowLog=Yes\r\nSHOWOLD=Yes\r\nNACHMIN=abc\r\n"
              "AUTOMIN=-5\r\nWakeUp=1\r\nWakeUpMin= 4\r\nSLOESCH=Yes\r\nVWORIG=No\r\n"
              "WEEKSHOW=3\r\nLANACTUAL=99999999999999999999\r\n"
              "[USER]\r\nNAME=Erika M\xFC"
              "ller\r\nFILE=MUELLER\r\n"
              "[MailSupport]\r\nOnline=1\r\n");
  ASSERT_TRUE(checkIni(t.ctx));
  EXPECT_EQ(t.ctx.CINIFILE, t.dir / "ZORVANE.INI");
  EXPECT_EQ(s.CN_FILE, "MEIER");
  EXPECT_TRUE(s.LS_ASTART);
  EXPECT_FALSE(s.LS_ASICON);  // "yes" in lower case reads as off
  EXPECT_FALSE(s.LS_INTRAY);
  EXPECT_EQ(s.NS_TIMER, 15);
  EXPECT_EQ(s.NS_TODAY, 2);
  EXPECT_EQ(s.lastOn, Date::fromDisplay("09.06.2024"));
  EXPECT_TRUE(s.LS_ALARMON);
  EXPECT_EQ(s.NS_ERROR, 3);
  EXPECT_TRUE(s.LS_LOGBUCH);
  EXPECT_FALSE(s.LS_SHOWLOG);  // a 1/0 key: only "1" is on
  EXPECT_TRUE(s.LS_SHOWOLD);
  EXPECT_EQ(s.NS_MIN, 0);  // non-numeric reads as 0
  EXPECT_EQ(s.NS_AUTOMIN, -5);
  EXPECT_TRUE(s.LS_WAKEUP);
  EXPECT_EQ(s.NS_WAKEUPM, 4);
  EXPECT_TRUE(s.LS_SLOESCH);
  EXPECT_FALSE(s.LS_VWORIG);
  EXPECT_EQ(s.NS_WEEKSHOW, 3);
  EXPECT_EQ(s.NS_LANACTUAL, std::numeric_limits<int>::max());
  EXPECT_EQ(s.CS_USER, "Erika Müller");
  EXPECT_EQ(s.CS_USERFILE, "MUELLER");
  EXPECT_TRUE(s.LM_ONLINE);
  EXPECT_TRUE(t.log.enabled());
}

TEST_F(CheckIniTest, WritesTheProductAndKeepsTheRestOfTheFile) {
  t.dir.write("ZORVANE.INI", "; mine\r\n[SYSTEM]\r\nTimer=20\r\n");
  checkIni(t.ctx);
  EXPECT_EQ(t.read("ZORVANE.INI"),
            "; mine\r\n[SYSTEM]\r\nTimer=20\r\n\r\n[ZORVANE]\r\nProduct=QLS Zorvane v2.00.65\r\n");
}

TEST_F(CheckIniTest, EmptyValuesAreFilledIn) {
  t.dir.write("ZORVANE.INI", "[ZORVANE]\r\nFILENAME=\r\n[USER]\r\nNAME=   \r\n");
  checkIni(t.ctx);
  EXPECT_EQ(s.CN_FILE, "ZORVANE");
  EXPECT_EQ(s.CS_USER, std::string(30, ' '));
}

TEST_F(CheckIniTest, AnIniWithoutSectionZorvaneGivesTheDefaultTable) {
  t.dir.write("Zorvane.ini", "[SYSTEM]\r\nTimer=20\r\n");
  checkIni(t.ctx);
  EXPECT_EQ(t.ctx.CINIFILE, t.dir / "Zorvane.ini");  // found whatever its case
  EXPECT_EQ(s.CN_FILE, "ZORVANE");
  EXPECT_EQ(s.NS_TIMER, 20);
}

TEST_F(CheckIniTest, ReadingTheSettingsRemovesThePreviousLogbookAndSwitchesLogging) {
  t.dir.write("Zorvane.Log", "last run");
  t.dir.write("ZORVANE.INI", "[SETUP]\r\nLOGBUCH=1\r\n");
  checkIni(t.ctx);
  EXPECT_FALSE(t.exists("Zorvane.Log"));
  EXPECT_TRUE(t.log.enabled());
  t.dir.write("ZORVANE.INI", "[SETUP]\r\nLOGBUCH=0\r\n");
  checkIni(t.ctx);
  EXPECT_FALSE(t.log.enabled());
}

TEST_F(CheckIniTest, BuildsTheFixedLists) {
  checkIni(t.ctx);
  const FixedLists& l = t.ctx.lists;
  ASSERT_EQ(l.AVORLAGE.size(), 6u);
  EXPECT_EQ(l.AVORLAGE[1], "stündlich");
  EXPECT_EQ(l.AVORLAGE[5], "jährlich");
  ASSERT_EQ(l.ATERMART.size(), 14u);
  ASSERT_EQ(l.AT_TART.size(), 14u);
  EXPECT_EQ(l.ATERMART[0], "Keine Zuordnung");
  EXPECT_EQ(l.AT_TART[0], "TA70");
  EXPECT_EQ(l.ATERMART[3], "Besuch auswärts");
  EXPECT_EQ(l.AT_TART[3], "TA5");
  EXPECT_EQ(l.ATERMART[13], "Dateiversand");
  EXPECT_EQ(l.AT_TART[13], "TA22");
  EXPECT_EQ(l.NCOLF, 1);
  EXPECT_EQ(l.NCOLB, 0xD0FFFFu);
}

struct WorkstationTest : CheckIniTest {
  fs::path ws() const { return t.ctx.workstationIni; }
  std::string wsText() const {
    std::ifstream in(ws(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
};

TEST_F(WorkstationTest, ANetworkInstallationUsesThePrivateWorkstationFile) {
  t.dir.write("Zorvane.usr", "[SYSTEM]\r\nNetwork=Yes\r\n[SETUP]\r\nLOGBUCH=1\r\n");
  checkIni(t.ctx);
  EXPECT_EQ(t.ctx.CINIFILE, ws());
  EXPECT_TRUE(s.LS_LAN);
  EXPECT_TRUE(s.LS_LOGBUCH);
  EXPECT_EQ(s.CN_FILE, "ZORVANE");  // empty in network mode, then filled in
  EXPECT_FALSE(t.exists("ZORVANE.INI"));
  EXPECT_EQ(fs::status(ws()).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_NE(wsText().find("Product=QLS Zorvane v2.00.65"), std::string::npos);
}

TEST_F(WorkstationTest, TheRegistrationSurvivesTheNextStartAndNewTemplateKeysArrive) {
  t.dir.write("ZORVANE.USR", "[SYSTEM]\r\nNetwork=Yes\r\n[USER]\r\nNAME=\r\nFILE=\r\n");
  checkIni(t.ctx);
  const SettingsFile ini = settingsFile(t.ctx);
  ini.setText(keys::NAME, "Erika Müller");
  ini.setText(keys::FILE, "MUELLER");
  t.dir.write("ZORVANE.USR",
              "[SYSTEM]\r\nNetwork=Yes\r\n[USER]\r\nNAME=\r\nFILE=\r\n[SETUP]\r\nSHOWOLD=Yes\r\n");
  checkIni(t.ctx);
  EXPECT_EQ(s.CS_USER, "Erika Müller");
  EXPECT_EQ(s.CS_USERFILE, "MUELLER");
  EXPECT_TRUE(s.LS_SHOWOLD);
}

TEST_F(WorkstationTest, WithoutTemplateTheWorkstationFileStaysAsItIs) {
  fs::create_directories(ws().parent_path());
  std::ofstream(ws(), std::ios::binary) << "[SYSTEM]\r\nTimer=45\r\n";
  checkIni(t.ctx);
  EXPECT_EQ(s.NS_TIMER, 45);
  EXPECT_FALSE(s.LS_LAN);
}

TEST_F(WorkstationTest, TheDefaultPathFollowsXdgConfigHome) {
  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = old ? old : "";
  ::setenv("XDG_CONFIG_HOME", (t.dir / "cfg").c_str(), 1);
  EXPECT_EQ(workstationIniPath(), t.dir / "cfg/zorvane/ZORVANE.INI");
  ::setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
  EXPECT_EQ(workstationIniPath().filename(), "ZORVANE.INI");
  EXPECT_TRUE(workstationIniPath().is_absolute() || std::getenv("HOME") == nullptr);
  if (old) {
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  } else {
    ::unsetenv("XDG_CONFIG_HOME");
  }
}

}  // namespace
}  // namespace zrv

namespace zrv {
namespace {

// The settings files that the installation lays out hold the same defaults as the program.
TEST(InstalledSettings, MatchTheProgramsDefaults) {
  const fs::path data = fs::path(ZRV_SOURCE_DIR) / "data";
  test::TestContext defaults;
  checkIni(defaults.ctx);

  test::TestContext single;
  fs::copy_file(data / "ZORVANE.INI", single.dir / "ZORVANE.INI");
  checkIni(single.ctx);
  EXPECT_EQ(single.ctx.CINIFILE, single.dir / "ZORVANE.INI");
  EXPECT_EQ(single.ctx.settings, defaults.ctx.settings);
  EXPECT_FALSE(single.ctx.settings.LS_LAN);

  test::TestContext network;
  fs::copy_file(data / "ZORVANE.USR", network.dir / "ZORVANE.USR");
  checkIni(network.ctx);
  EXPECT_TRUE(network.ctx.settings.LS_LAN);
  network.ctx.settings.LS_LAN = false;
  EXPECT_EQ(network.ctx.settings, defaults.ctx.settings);
}

// A table name with a folder in it would have the table, its indexes, journal and pack files
// made or changed outside the program directory: it gives way to ZORVANE, with a logbook line.
TEST_F(CheckIniTest, ATableNameWithAFolderNeverLeavesTheProgramDirectory) {
  const fs::path outside = t.dir / "outside";
  fs::create_directories(outside / "x");
  fs::create_directories(t.dir / "prog");
  t.ctx.CRUNIN = t.dir / "prog" / "";
  ASSERT_TRUE(Table::create(outside / "x" / "EVIL.TER", terStruct(), t.clock).isOk());
  ASSERT_TRUE(Table::create(outside / "EVIL.TER", terStruct(), t.clock).isOk());
  auto files = [&] {
    std::map<std::string, std::string> m;
    for (const auto& e : fs::recursive_directory_iterator(outside))
      if (e.is_regular_file())
        m[e.path().string()] = t.dir.read(fs::relative(e.path(), t.dir.path()).string());
    return m;
  };
  const auto before = files();
  for (const std::string& name : {std::string("../outside/x/EVIL"), (outside / "EVIL").string()}) {
    t.dir.write("prog/ZORVANE.INI",
                "[ZORVANE]\r\nFILENAME=" + name + "\r\n[setup]\r\nLogbuch=1\r\n");
    ASSERT_TRUE(checkIni(t.ctx));
    t.log.log("Test", "");  // the logbook starts as it does at the start-up
    ASSERT_TRUE(checkDbf(t.ctx));
    EXPECT_EQ(s.CN_FILE, "ZORVANE") << name;
    t.ctx.DTER.reset();
    EXPECT_TRUE(fs::exists(t.dir / "prog" / "ZORVANE.TER"));
    EXPECT_EQ(files(), before) << name;
    EXPECT_NE(t.dir.read("Zorvane.Log").find("kein einfacher Tabellenname"), std::string::npos);
  }
}

// The settings may hold the mail password: whatever rights a settings file had, a write leaves
// it to its owner, and folders made for it are the owner's alone even under umask 000.
TEST_F(CheckIniTest, SettingsFilesAndTheirFoldersAreTheOwnersAlone) {
  auto mode = [](const fs::path& p) { return static_cast<unsigned>(fs::status(p).permissions()); };
  t.dir.write("ZORVANE.INI", "[MailSupport]\r\nPass=geheim\r\n");
  fs::permissions(t.dir / "ZORVANE.INI", static_cast<fs::perms>(0644));
  ASSERT_TRUE(checkIni(t.ctx));  // writes the product key
  EXPECT_EQ(mode(t.dir / "ZORVANE.INI"), 0600u);
  backUpSettings(t.ctx);
  EXPECT_EQ(mode(t.dir / "ZORVANE.SAV"), 0600u);

  fs::remove(t.dir / "ZORVANE.INI");
  t.dir.write("ZORVANE.USR", "[MailSupport]\r\nPass=\r\n");
  const mode_t old = ::umask(0);
  const bool ok = checkIni(t.ctx);
  ::umask(old);
  ASSERT_TRUE(ok);
  for (const char* d : {"home", "home/.config", "home/.config/zorvane"})
    EXPECT_EQ(mode(t.dir / d), 0700u) << d;
  EXPECT_EQ(mode(t.ctx.workstationIni), 0600u);
}

}  // namespace
}  // namespace zrv
