#include "store/base/logbook.h"

#include <gtest/gtest.h>

#include "store/base/clock.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

const std::string kRule(80, '=');

struct LogbookTest : ::testing::Test {
  test::TestDir dir;
  FixedClock clock{"07.03.2025", "08:15:42"};
  Logbook log{logbookFile(dir.path()), "QLS Zorvane v2.00.65", clock};
  bool exists() const { return std::filesystem::exists(dir / "Zorvane.Log"); }
};

TEST_F(LogbookTest, StartsWithTheHeaderAndWritesExactLinesIn1252) {
  log.setEnabled(true);
  log.log("Zorvane Start", "");
  clock.set("07.03.2025", "08:15:43");
  log.log("WinInit", "Öffnen");
  log.log("CheckDBF", "Datenbank-Struktur prüfen: ZORVANE");
  EXPECT_EQ(dir.read("Zorvane.Log"),
            "Logbuch f\xFCr QLS Zorvane v2.00.65 erzeugt am 07.03.2025 um 08:15:42\r\n" + kRule +
                "\r\n"
                "08:15:42 (Zorvane Start) \r\n"
                "08:15:43 (WinInit) \xD6"
                "ffnen\r\n"
                "08:15:43 (CheckDBF) Datenbank-Struktur pr\xFC"
                "fen: ZORVANE\r\n");
}

TEST_F(LogbookTest, LineBreaksInATextKeepCrLf) {
  log.setEnabled(true);
  log.log("Zorvane Start", "");
  log.log("ChkNext", "Nächster Termin am: 07.03.2025 um: 09:00 Zahnarzt\n");
  log.log("X", "a\r\nb");
  const std::string bytes = dir.read("Zorvane.Log");
  EXPECT_NE(bytes.find("Zahnarzt\r\n\r\n08:15:42 (X) a\r\nb\r\n"), std::string::npos) << bytes;
}

TEST_F(LogbookTest, EveryCallWhileOffDeletesTheFile) {
  dir.write("Zorvane.Log", "old run");
  log.log("CheckIni", "Public Variablen einlesen");
  EXPECT_FALSE(exists());
  log.log("Anything", "text");
  EXPECT_FALSE(exists());
}

TEST_F(LogbookTest, SwitchedOnDuringTheRunWritesNothingUntilANewFileIsStarted) {
  log.setEnabled(true);
  log.log("ShowTermin", "Termin abgelegt");
  EXPECT_FALSE(exists());
}

TEST_F(LogbookTest, EachRunStartsANewFile) {
  log.setEnabled(true);
  log.log("Zorvane Start", "");
  log.log("Zorvane", "Beendet");
  clock.set("08.03.2025", "09:00:00");
  Logbook second(logbookFile(dir.path()), "QLS Zorvane v2.00.65", clock);
  second.setEnabled(true);
  second.log("Zorvane Start", "");
  const std::string bytes = dir.read("Zorvane.Log");
  EXPECT_EQ(bytes.find("Beendet"), std::string::npos);
  EXPECT_EQ(bytes.rfind("Logbuch f\xFCr", 0), 0u);
  EXPECT_NE(bytes.find("erzeugt am 08.03.2025 um 09:00:00"), std::string::npos);
}

// It names appointments: its owner alone may read it, also one an older run left readable.
TEST_F(LogbookTest, OnlyItsOwnerMayReadIt) {
  dir.write("Zorvane.Log", "old run");
  std::filesystem::permissions(dir / "Zorvane.Log", std::filesystem::perms(0644));
  log.setEnabled(true);
  log.log("Zorvane Start", "");
  EXPECT_EQ(std::filesystem::status(dir / "Zorvane.Log").permissions(),
            std::filesystem::perms(0600));
}

TEST_F(LogbookTest, AnExistingLogbookOfAnotherSpellingIsTheOneUsed) {
  dir.write("ZORVANE.LOG", "");
  Logbook upper(logbookFile(dir.path()), "R", clock);
  upper.setEnabled(true);
  upper.log("Zorvane Start", "");
  EXPECT_NE(dir.read("ZORVANE.LOG").find("(Zorvane Start)"), std::string::npos);
}

TEST_F(LogbookTest, WriteFailuresNeverReachTheCaller) {
  Logbook nowhere(dir / "no-such-dir" / "Zorvane.Log", "R", clock);
  nowhere.setEnabled(true);
  EXPECT_TRUE(nowhere.log("Zorvane Start", ""));
  EXPECT_TRUE(nowhere.log("X", "y"));
  nowhere.setEnabled(false);
  EXPECT_TRUE(nowhere.log("X", "y"));
}

}  // namespace
}  // namespace zrv
