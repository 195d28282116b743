#include "app/ini_file.h"

#include <gtest/gtest.h>

#include "support/test_dir.h"

namespace zrv {
namespace {
using namespace std::string_literals;

struct IniFileTest : ::testing::Test {
  test::TestDir dir;
  IniFile ini{dir / "ZORVANE.INI"};
};

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(ini.read("SYSTEM", "Timer", "30"), "30");
  dir.write("ZORVANE.INI", "[SYSTEM]\r\nTimer=45\r\nAsIcon=\r\n");
  EXPECT_EQ(ini.read("SYSTEM", "Timer", "30"), "45");
  EXPECT_EQ(ini.read("SYSTEM", "AlarmOn", "No"), "No");
  EXPECT_EQ(ini.read("SETUP", "Timer", "7"), "7");
  // Present but empty is not missing.
  EXPECT_EQ(ini.read("SYSTEM", "AsIcon", "No"), "");
}

TEST_F(IniFileTest, SectionsAndKeysMatchWithoutRegardToCase) {
  dir.write(
      "ZORVANE.INI",
      "[System]\r\nTop=12\r\n[SETUP]\r\nLogbuch=1\r\n  showLOG = 1  \r\n[SYSTEM]\r\nTimer=9\r\n");
  EXPECT_EQ(ini.read("SYSTEM", "TOP", ""), "12");
  EXPECT_EQ(ini.read("setup", "LOGBUCH", ""), "1");
  EXPECT_EQ(ini.read("Setup", "ShowLog", ""), "1");
  // The first section of a name is the one that counts.
  EXPECT_EQ(ini.read("SYSTEM", "Timer", "none"), "none");
  // Keys written in another case than they are read replace the existing line.
  ASSERT_TRUE(ini.write("SYSTEM", "top", "99"));
  ASSERT_TRUE(ini.write("SETUP", "LOGBUCH", "0"));
  EXPECT_EQ(ini.read("System", "Top", ""), "99");
  EXPECT_EQ(ini.read("SETUP", "Logbuch", ""), "0");
  EXPECT_EQ(
      dir.read("ZORVANE.INI"),
      "[System]\r\nTop=99\r\n[SETUP]\r\nLogbuch=0\r\n  showLOG = 1  \r\n[SYSTEM]\r\nTimer=9\r\n");
}

TEST_F(IniFileTest, WritingOneKeyKeepsEveryOtherLine) {
  dir.write("ZORVANE.INI",
            "; Zorvane settings\r\n"
            "[ZORVANE]\r\n"
            "FILENAME=ZORVANE\r\n"
            "# hand-made note\r\n"
            "Unknown=keep me\r\n"
            "\r\n"
            "[SYSTEM]\r\n"
            "Timer=30\r\n"
            "\r\n"
            "\r\n"
            "[Foreign]\r\n"
            "x=y\r\n");
  ASSERT_TRUE(ini.write("SYSTEM", "AlarmOn", "Yes"));      // new key at the end of its section
  ASSERT_TRUE(ini.write("ZORVANE", "FILENAME", "MEIER"));  // replaced in place
  ASSERT_TRUE(ini.write("USER", "NAME", "Erika"));         // new section at the end
  EXPECT_EQ(dir.read("ZORVANE.INI"),
            "; Zorvane settings\r\n"
            "[ZORVANE]\r\n"
            "FILENAME=MEIER\r\n"
            "# hand-made note\r\n"
            "Unknown=keep me\r\n"
            "\r\n"
            "[SYSTEM]\r\n"
            "Timer=30\r\n"
            "AlarmOn=Yes\r\n"
            "\r\n"
            "\r\n"
            "[Foreign]\r\n"
            "x=y\r\n"
            "\r\n"
            "[USER]\r\n"
            "NAME=Erika\r\n");
}

TEST_F(IniFileTest, UmlautsAreStoredInWindows1252AndReadBack) {
  ASSERT_TRUE(ini.write("MailSupport", "Name", "Jürgen Größe"));
  EXPECT_EQ(dir.read("ZORVANE.INI"),
            "[MailSupport]\r\nName=J\xFCrgen Gr\xF6\xDF"
            "e\r\n");
  EXPECT_EQ(ini.read("MAILSUPPORT", "NAME", ""), "Jürgen Größe");
  dir.write("ZORVANE.INI", "[USER]\nNAME=M\xFCller\n");  // LF only, as an editor may leave it
  EXPECT_EQ(ini.read("USER", "NAME", ""), "Müller");
  ASSERT_TRUE(ini.write("USER", "FILE", "MUELLER"));
  EXPECT_EQ(dir.read("ZORVANE.INI"), "[USER]\r\nNAME=M\xFCller\r\nFILE=MUELLER\r\n");
}

TEST_F(IniFileTest, DamagedLinesAreIgnoredWithoutLosingTheRest) {
  dir.write("ZORVANE.INI",
            "[SYSTEM\r\n"
            "Timer=15\r\n"
            "[SETUP]\r\n"
            "\x01\x02garbage without equals\r\n"
            "=no key\r\n"
            "NACHMIN=20\r\n"
            "[\r\n"
            "AUTOMIN=5\r\n"
            "Broken\0Line\r\n"
            "WEEKSHOW=2"s);
  EXPECT_EQ(ini.read("SYSTEM", "Timer", "30"), "30");  // its header is broken
  EXPECT_EQ(ini.read("SETUP", "NACHMIN", ""), "20");
  EXPECT_EQ(ini.read("SETUP", "AUTOMIN", ""), "5");
  EXPECT_EQ(ini.read("SETUP", "WEEKSHOW", ""), "2");
  ASSERT_TRUE(ini.write("SETUP", "WEEKSHOW", "3"));
  EXPECT_EQ(dir.read("ZORVANE.INI"),
            "[SYSTEM\r\n"
            "Timer=15\r\n"
            "[SETUP]\r\n"
            "\x01\x02garbage without equals\r\n"
            "=no key\r\n"
            "NACHMIN=20\r\n"
            "[\r\n"
            "AUTOMIN=5\r\n"
            "Broken\0Line\r\n"
            "WEEKSHOW=3\r\n"s);
}

TEST_F(IniFileTest, ValuesAreTrimmedAndLoseSurroundingQuotes) {
  dir.write("ZORVANE.INI", "[M]\r\nA=  x = y  \r\nB=\"  quoted \"\r\nC='single'\r\nD=\"half\r\n");
  EXPECT_EQ(ini.read("M", "A", ""), "x = y");
  EXPECT_EQ(ini.read("M", "B", ""), "  quoted ");
  EXPECT_EQ(ini.read("M", "C", ""), "single");
  EXPECT_EQ(ini.read("M", "D", ""), "\"half");
}

TEST_F(IniFileTest, AValueWithLineBreaksStaysOneLine) {
  ASSERT_TRUE(ini.write("M", "A", "eins\r\n[SYSTEM]\nTimer=1"));
  EXPECT_EQ(ini.read("M", "A", ""), "eins  [SYSTEM] Timer=1");
  EXPECT_EQ(ini.read("SYSTEM", "Timer", "30"), "30");
}

TEST_F(IniFileTest, AFailedWriteChangesNothing) {
  IniFile nowhere(dir / "missing-dir" / "ZORVANE.INI");
  EXPECT_FALSE(nowhere.write("A", "B", "C"));
  std::filesystem::create_directory(dir / "ZORVANE.INI");  // cannot be read as a file
  EXPECT_FALSE(ini.write("A", "B", "C"));
  EXPECT_EQ(ini.read("A", "B", "def"), "def");
}

TEST_F(IniFileTest, ANewFileIsPrivateToItsOwner) {
  ASSERT_TRUE(ini.write("MailSupport", "Pass", "geheim"));
  EXPECT_EQ(
      std::filesystem::status(dir / "ZORVANE.INI").permissions() & std::filesystem::perms::all,
      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

}  // namespace
}  // namespace zrv
