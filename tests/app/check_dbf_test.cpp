// Checking and opening the appointment table: the table as it is opened, the fall-back to the
// default table, the structure upgrade from tables written by another program, and the faults
// that must never cost a record.
#include "app/check_dbf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "app/first_start.h"
#include "app/ini_file.h"
#include "app/structure_upgrade.h"
#include "store/appointments/appointment_record.h"
#include "store/appointments/appointment_table.h"
#include "store/xbase/redo_journal.h"
#include "store/xbase/table.h"
#include "support/lock_holder.h"
#include "support/table_rig.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using Record = std::map<std::string, std::string>;

// The structure of the program before the e-mail field came.
Structure oldStructure() {
  Structure s = terStruct();
  s.pop_back();
  return s;
}

// Records of the older table, as its program left them: stale triggers, memos with umlauts
// (one over several memo blocks), a deleted record.
const std::string kLongText = [] {
  std::string t = "Jahresabschluss\r\n";
  for (int i = 0; i < 60; ++i)
    t += "Prüfung der Belege äöü ÄÖÜ ß € ";
  return t;
}();
const std::vector<std::string> kOldRecords = {
    "TDATE=01.01.2000|TTIME=00:00|LAUTO=T|DATE=15.06.2024|TIME=10:00|TIMEVON=09:45|"
    "TEXT=Zahnarzt\\r\\nPraxis Dr. Grün, Bärenstraße 5|VORLAGE=1|VORLNACH=2|REPEAT=1|"
    "REPDATE=31.12.2024|WARNMIN=30|ALARM=T|ALARMFILE=.\\sounds\\Wichtig.wav|TERMINART=TA10|"
    "NICHTMEHR=10|DAYINTVALL=3|WEKINTVALL=2|WEEKDAYS=X.X....|MONTHDAY=15|MONTH=XXXXXXXXXXXX",
    "DATE=11.06.2024|TIME=00:30|TIMEVON=00:30|TEXT=Über Mitternacht – früh €|VORLAGE=3|"
    "WARNMIN=90",
    "DATE=10.06.2024|TIME=18:00|TIMEVON=18:00|TEXT=Sicherung|VORLAGE=1|WARNMIN=15|"
    "PROGSTART=c:\\tools\\sicherung.exe|PROGPARAM=/voll",
    "*DATE=12.06.2024|TIME=08:00|TEXT=gelöscht|VORLAGE=1",
    "DATE=01.03.2024|TIME=07:15|TIMEVON=07:15|QUIT=T|VORLAGE=6|TEXT=" + kLongText,
    "DATE=01.06.2024|TIME=12:00|TIMEVON=12:00|VORLAGE=1",
    "DATE=10.06.2024|TIME=08:00|TIMEVON=08:00|VORLAGE=1|TEXT=Heute",
};

std::string dtos(const std::string& display) {
  return display.size() == 10 ? display.substr(6, 4) + display.substr(3, 2) + display.substr(0, 2)
                              : "        ";
}

// The record numbers an index over the records should hold: trigger order, then record number.
template <class Pred>
std::vector<std::uint32_t> reference(const std::vector<Record>& records, Pred condition) {
  std::vector<std::pair<std::string, std::uint32_t>> keys;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const Record& r = records[i];
    if (condition(r)) keys.emplace_back(dtos(r.at("TDATE")) + r.at("TTIME"), i + 1);
  }
  std::sort(keys.begin(), keys.end());
  std::vector<std::uint32_t> order;
  for (const auto& k : keys)
    order.push_back(k.second);
  return order;
}

struct CheckDbfTest : ::testing::Test {
  void writeOld(const std::string& name, const std::vector<std::string>& records = kOldRecords,
                const Structure& fields = oldStructure()) {
    const std::string fault =
        test::writeWithPythonDbf(r.dir / name, test::pythonFieldList(fields), records);
    ASSERT_EQ(fault, "");
  }
  // Every file of the directory with its bytes.
  std::map<std::string, std::string> snapshot() const {
    std::map<std::string, std::string> files;
    for (const std::string& name : r.files()) {
      if (name != "Zorvane.Log" && fs::is_regular_file(r.dir / name))
        files[name] = r.dir.read(name);
    }
    return files;
  }
  std::vector<std::string> leftovers() const {
    std::vector<std::string> names;
    for (const std::string& name : r.files()) {
      if (name.starts_with("~")) names.push_back(name);
    }
    return names;
  }
  // Each index file against the sorted reference of the independent reader's records, and the
  // views of DTER against the same.
  void expectConsistentIndexes(const std::string& name) {
    const auto dump = test::readWithDbfread(r.dir / (name + ".TER"));
    ASSERT_GE(dump.count, 0) << dump.output;
    const std::string today = "10.06.2024";
    const auto notQuit = [](const Record& x) { return x.at("QUIT") != "T"; };
    const std::vector<std::uint32_t> expected[4] = {
        reference(dump.records, notQuit),
        reference(dump.records, [](const Record& x) { return x.at("QUIT") == "T"; }),
        reference(dump.records,
                  [&](const Record& x) { return notQuit(x) && x.at("DATE") == today; }),
        reference(dump.records,
                  [&](const Record& x) {
                    return notQuit(x) && x.at("VORLAGE") == "1" && !x.at("DATE").empty() &&
                           dtos(x.at("DATE")) < dtos(today);
                  }),
    };
    for (int i = 0; i < 4; ++i) {
      std::string fault;
      const auto entries = test::walkNtx(r.dir / (name + ".NT" + std::to_string(i + 1)), &fault);
      EXPECT_EQ(fault, "");
      std::vector<std::uint32_t> recnos;
      for (const auto& e : entries)
        recnos.push_back(e.second);
      EXPECT_EQ(recnos, expected[i]) << ".NT" << i + 1;
    }
    ASSERT_TRUE(r.ctx.DTER);
    EXPECT_EQ(test::viewOrder(*r.ctx.DTER, 1), expected[0]);
    EXPECT_EQ(test::viewOrder(*r.ctx.DTER, 2), expected[2]);
    EXPECT_EQ(test::viewOrder(*r.ctx.DTER, 3), expected[1]);
  }
  std::string ini(const char* key) const {
    return IniFile(r.dir / "ZORVANE.INI").read("ZORVANE", key, "-");
  }

  test::TableRig r;
};

TEST_F(CheckDbfTest, OpensTheTableInItsViewAndRemembersIt) {
  buildDbase(r.ctx, "ZORVANE");
  r.ctx.settings.NS_TODAY = 3;
  ASSERT_TRUE(checkDbf(r.ctx));
  ASSERT_TRUE(r.ctx.DTER);
  EXPECT_EQ(r.ctx.DTER->table().order(), 2);  // filed appointments
  EXPECT_TRUE(r.ctx.DTER->eof());
  EXPECT_EQ(r.ui.panes[StatusPane::View], "Abgelegte");
  r.ctx.settings.NS_TODAY = 1;
  ASSERT_TRUE(checkDbf(r.ctx));
  EXPECT_EQ(r.ctx.DTER->recNo(), 1u);
  EXPECT_EQ(r.ui.panes[StatusPane::View], "Aktuelle");
  EXPECT_EQ(r.ui.panes[StatusPane::File], "ZORVANE");
  EXPECT_EQ(ini("FILENAME"), "ZORVANE");
  EXPECT_TRUE(r.ui.messages.empty());
  EXPECT_EQ(r.ui.busyDepth, 0);
  const auto& texts = r.ui.statusTexts;
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(texts[0], "Datenbank reorganisieren");
  EXPECT_EQ(texts[1], "Die Datenbanken werden aktualisiert, bitte warten ...");
  EXPECT_EQ(texts[2], "");
  EXPECT_TRUE(r.logged("CheckDBF", "Datenbank-Struktur prüfen: ZORVANE"));
  EXPECT_FALSE(r.logged("CheckDBF", "Datenbank-Struktur korrigieren: ZORVANE"));

  // A view the settings file names wrongly: the current appointments.
  r.ctx.settings.NS_TODAY = 7;
  ASSERT_TRUE(checkDbf(r.ctx));
  EXPECT_EQ(r.ctx.settings.NS_TODAY, 1);
  EXPECT_EQ(r.ctx.DTER->table().order(), 1);
}

TEST_F(CheckDbfTest, AMissingTableFallsBackToTheDefaultTable) {
  buildDbase(r.ctx, "ZORVANE");
  r.ctx.settings.CN_FILE = "ABCDEFGHIJ";
  ASSERT_TRUE(checkDbf(r.ctx));
  EXPECT_EQ(r.ui.panes[StatusPane::File], "ABCDEFGH");
  EXPECT_EQ(r.ctx.settings.CN_FILE, "ZORVANE");
  EXPECT_EQ(ini("FILENAME"), "ZORVANE");
  EXPECT_EQ(r.ctx.DTER->base().filename(), "ZORVANE");
  EXPECT_FALSE(r.exists("ABCDEFGHIJ.TER"));
}

TEST_F(CheckDbfTest, WithoutAnyTableTheDefaultTableIsCreatedEmpty) {
  r.ctx.settings.CN_FILE = "";
  ASSERT_TRUE(checkDbf(r.ctx));
  EXPECT_TRUE(r.exists("ZORVANE.TER"));
  EXPECT_TRUE(r.exists("ZORVANE.NT4"));
  EXPECT_TRUE(r.ctx.DTER->eof());
  EXPECT_EQ(r.ui.messages, (std::vector<test::RecordingUserInterface::Shown>{
                               {"Achtung", "Die Struktur der Datei ZORVANE wurde angepasst !"}}));
}

TEST_F(CheckDbfTest, AnOlderStructureIsUpgradedWithEveryRecordAndMemo) {
  writeOld("TERMINE.TER");
  r.ctx.settings.CN_FILE = "TERMINE";
  ASSERT_TRUE(checkDbf(r.ctx));
  EXPECT_EQ(r.ui.messages, (std::vector<test::RecordingUserInterface::Shown>{
                               {"Achtung", "Die Struktur der Datei TERMINE wurde angepasst !"}}));
  EXPECT_TRUE(r.logged("CheckDBF", "Datenbank-Struktur korrigieren: TERMINE"));
  EXPECT_EQ(leftovers(), std::vector<std::string>{});
  expectConsistentIndexes("TERMINE");

  const auto dump = test::readWithDbfread(r.dir / "TERMINE.TER");
  ASSERT_EQ(dump.count, 6) << dump.output;
  EXPECT_EQ(dump.deleted, 0);
  EXPECT_NE(dump.fields.find(",EMAIL:C:50:0"), std::string::npos);
  const Record& dentist = dump.records[0];
  const Record expectedDentist = {{"TDATE", "15.06.2024"},
                                  {"TTIME", "09:30"},  // recomputed: 10:00 less 30 minutes
                                  {"LAUTO", "T"},
                                  {"DATE", "15.06.2024"},
                                  {"TIME", "10:00"},
                                  {"TIMEVON", "09:45"},
                                  {"TEXT", "Zahnarzt\r\nPraxis Dr. Grün, Bärenstraße 5"},
                                  {"VORLAGE", "1"},
                                  {"VORLNACH", "2"},
                                  {"REPEAT", "1"},
                                  {"REPDATE", "31.12.2024"},
                                  {"REPTIME", ""},
                                  {"WARNMIN", "30"},
                                  {"ALARM", "T"},
                                  {"ALARMFILE", ".\\sounds\\Wichtig.wav"},
                                  {"PROGSTART", ""},
                                  {"PROGPARAM", ""},
                                  {"TERMINART", "TA10"},
                                  {"NICHTMEHR", "10"},
                                  {"QUIT", "F"},
                                  {"DAYINTVALL", "3"},
                                  {"WEKINTVALL", "2"},
                                  {"WEEKDAYS", "X.X...."},
                                  {"MONINTVALL", "0"},
                                  {"MONTHDAY", "15"},
                                  {"MONTH", "XXXXXXXXXXXX"},
                                  {"ENDDAT", ""},
                                  {"EMAIL", ""}};
  EXPECT_EQ(dentist, expectedDentist);
  // Over midnight into the day before; a program start alarms at its own time.
  EXPECT_EQ(dump.records[1].at("TDATE"), "10.06.2024");
  EXPECT_EQ(dump.records[1].at("TTIME"), "23:00");
  EXPECT_EQ(dump.records[1].at("TEXT"), "Über Mitternacht – früh €");
  EXPECT_EQ(dump.records[2].at("TTIME"), "18:00");
  EXPECT_EQ(dump.records[2].at("PROGSTART"), "c:\\tools\\sicherung.exe");
  EXPECT_EQ(dump.records[3].at("TEXT"), kLongText);
  EXPECT_EQ(dump.records[4].at("TEXT"), "");
  for (const Record& x : dump.records)
    EXPECT_NE(x.at("TEXT"), "gelöscht");

  // The table is current now: no second upgrade.
  ASSERT_TRUE(checkDbf(r.ctx));
  EXPECT_EQ(r.ui.messages.size(), 1u);
}

TEST_F(CheckDbfTest, TheMarkerForcesUpgradeAndReindexAndIsDeleted) {
  buildDbase(r.ctx, "ZORVANE");
  ASSERT_TRUE(checkDbf(r.ctx));
  ASSERT_TRUE(r.ctx.DTER->goTo(2));
  ASSERT_TRUE(r.ctx.DTER->deleteRecord());
  ASSERT_TRUE(r.ctx.DTER->commit());
  r.dir.write("zorvane.UPD", "");
  ASSERT_TRUE(checkDbf(r.ctx));
  EXPECT_FALSE(r.exists("zorvane.UPD"));
  EXPECT_EQ(r.ui.messages.size(), 1u);
  const auto dump = test::readWithDbfread(r.dir / "ZORVANE.TER");
  EXPECT_EQ(dump.count, 3) << dump.output;
  EXPECT_EQ(dump.deleted, 0);
  // The record numbers moved up: the indexes must have been built anew.
  expectConsistentIndexes("ZORVANE");
  EXPECT_EQ(leftovers(), std::vector<std::string>{});
}

TEST_F(CheckDbfTest, SameFieldCountInAnotherOrderIsUpgradedOnlyWithTheMarker) {
  Structure shuffled = terStruct();
  std::rotate(shuffled.begin(), shuffled.end() - 1, shuffled.end());  // EMAIL first
  writeOld("ZORVANE.TER", {"EMAIL=a@b.de|DATE=11.06.2024|TIME=10:00|TEXT=Ä|VORLAGE=1"}, shuffled);
  ASSERT_TRUE(checkDbf(r.ctx));
  EXPECT_TRUE(r.ui.messages.empty());
  EXPECT_EQ(test::readWithDbfread(r.dir / "ZORVANE.TER").fields.substr(0, 14), "EMAIL:C:50:0,T");
  auto a = r.ctx.DTER->read();
  ASSERT_TRUE(a);
  EXPECT_EQ(a->EMAIL, "a@b.de");
  EXPECT_EQ(a->TEXT, "Ä");

  r.dir.write("Zorvane.upd", "");
  ASSERT_TRUE(checkDbf(r.ctx));
  EXPECT_EQ(r.ui.messages.size(), 1u);
  const auto dump = test::readWithDbfread(r.dir / "ZORVANE.TER");
  EXPECT_EQ(dump.fields.substr(0, 12), "TDATE:D:8:0,");
  ASSERT_EQ(dump.count, 1);
  EXPECT_EQ(dump.records[0].at("EMAIL"), "a@b.de");
  EXPECT_EQ(dump.records[0].at("TTIME"), "10:00");
  EXPECT_EQ(dump.records[0].at("TEXT"), "Ä");
}

TEST_F(CheckDbfTest, AnUpgradeCopyLeftBehindFillsTheRecreatedTable) {
  writeOld("~AAAAAAA.TER", {"DATE=12.06.2024|TIME=10:00|WARNMIN=60|TEXT=gerettet"});
  r.dir.write("Zorvane.upd", "");  // the upgrade was asked for and never finished
  r.ctx.settings.CN_FILE = "ZORVANE";
  ASSERT_TRUE(checkDbf(r.ctx));
  auto a = r.ctx.DTER->read();
  ASSERT_TRUE(a);
  EXPECT_EQ(a->TEXT, "gerettet");
  EXPECT_EQ(a->TTIME, "09:00");
  EXPECT_EQ(leftovers(), std::vector<std::string>{});
}

// Killed after its new table was in place but before its copy went: the copy of a finished
// upgrade is removed at the next check and never brings old records into a new table.
TEST_F(CheckDbfTest, TheCopyOfAFinishedUpgradeIsRemovedNotTaken) {
  writeOld("~AAAAAAA.TER", {"DATE=12.06.2024|TIME=10:00|WARNMIN=60|TEXT=alt"});
  r.ctx.settings.CN_FILE = "ZORVANE";
  ASSERT_TRUE(checkDbf(r.ctx));
  EXPECT_EQ(r.ctx.DTER->table().recCount(), 0u);
  EXPECT_FALSE(r.exists("~AAAAAAA.TER"));
}

// Killed while it copied the old files: the temporary files of the copy go at the next check,
// while a complete copy of an unfinished upgrade stays to be taken.
TEST_F(CheckDbfTest, TheHalfWrittenFilesOfAnInterruptedCopyAreRemoved) {
  writeOld("TERMINE.TER");
  r.dir.write("~AAAAAAA.TER.~4711-0", "halb");
  r.dir.write("~aaaaaaa.dbt.~4711-1", "halb");
  r.dir.write("~AAAAAAA.TER.alt", "keine Kopie");
  r.ctx.settings.CN_FILE = "TERMINE";
  ASSERT_TRUE(checkDbf(r.ctx));
  EXPECT_EQ(leftovers(), std::vector<std::string>{"~AAAAAAA.TER.alt"});
  EXPECT_TRUE(r.logged("CheckDBF",
                       "Die unvollständige Kopie ~AAAAAAA.TER.~4711-0 einer "
                       "abgebrochenen Strukturanpassung wurde gelöscht."));
}

// ---- faults ---------------------------------------------------------------------------

// The journal of a copy that was put in place of the table since: the first open at start sets
// it aside, says so in the logbook and to the user, and the open for the run then checks the
// table's indexes and memo header as after any unclean end (here: a wrong next free block).
TEST_F(CheckDbfTest, AJournalSetAsideAtTheFirstOpenIsToldAndTheTableChecked) {
  buildDbase(r.ctx, "ZORVANE");
  r.ctx.DTER.reset();
  std::string memo = r.dir.read("ZORVANE.DBT");
  memo[0] = 1, memo[1] = memo[2] = memo[3] = 0;
  r.dir.write("ZORVANE.DBT", memo);
  auto other = *RedoJournal::identityOf(r.dir / "ZORVANE.TER");
  ++other.inode;
  r.dir.write("ZORVANE.TER.~jn",
              RedoJournal::encodeHeader(7, 0, other, "") +
                  RedoJournal::encodeTransaction(7, 0, 0, {{"ZORVANE.TER", 0, "x"}}));
  r.ctx.settings.CN_FILE = "ZORVANE";
  ASSERT_TRUE(checkDbf(r.ctx));
  const std::string said =
      "Das Änderungsprotokoll der Datei ZORVANE.TER gehört nicht zu dieser Datei (sie wurde "
      "ersetzt) und wurde nicht angewendet. Es wurde als ZORVANE.TER.~jx beiseitegelegt.";
  EXPECT_EQ(r.ui.messages, (std::vector<test::RecordingUserInterface::Shown>{{"Problem", said}}));
  EXPECT_TRUE(r.logged("CheckDBF", said));
  EXPECT_TRUE(r.exists("ZORVANE.TER.~jx"));
  bool corrected = false;
  for (const std::string& line : r.logLines())
    corrected = corrected || line.find("Memodatei ZORVANE.DBT stand auf 1") != std::string::npos;
  EXPECT_TRUE(corrected);
}

TEST_F(CheckDbfTest, AnUpgradeThatCannotReadARecordKeepsTheOldTable) {
  writeOld("TERMINE.TER");
  // Record 2's memo reference points far beyond the end of the memo file.
  std::string bytes = r.dir.read("TERMINE.TER");
  const std::size_t header =
      static_cast<unsigned char>(bytes[8]) | static_cast<unsigned char>(bytes[9]) << 8;
  const std::size_t length =
      static_cast<unsigned char>(bytes[10]) | static_cast<unsigned char>(bytes[11]) << 8;
  const std::size_t textAt = 1 + 8 + 5 + 1 + 8 + 5 + 5;
  bytes.replace(header + length + textAt, 10, "0000099999");
  r.dir.write("TERMINE.TER", bytes);
  const auto before = snapshot();

  r.ctx.settings.CN_FILE = "TERMINE";
  EXPECT_TRUE(checkDbf(r.ctx));
  ASSERT_EQ(r.ui.messages.size(), 1u);
  EXPECT_EQ(r.ui.messages[0].title, "Problem");
  EXPECT_NE(r.ui.messages[0].text.find("Die Struktur der Datei TERMINE konnte nicht angepasst"),
            std::string::npos);
  EXPECT_EQ(leftovers(), std::vector<std::string>{});
  auto after = snapshot();
  for (const auto& [name, bytes] : before)
    EXPECT_EQ(after[name], bytes) << name;
  // The old table is open as it is, its indexes built.
  ASSERT_TRUE(r.ctx.DTER);
  EXPECT_EQ(r.ctx.DTER->table().fieldCount(), 27);
  EXPECT_EQ(test::viewOrder(*r.ctx.DTER, 1).size(), 5u);
}

TEST_F(CheckDbfTest, AnUpgradeThatCannotWriteItsFilesKeepsTheOldTable) {
  for (const char* blocker : {"~AAAAAAA.DBT", "~TERMINE.DBT"}) {
    SCOPED_TRACE(blocker);
    test::TableRig rig;
    const std::string fault = test::writeWithPythonDbf(
        rig.dir / "TERMINE.TER", test::pythonFieldList(oldStructure()), kOldRecords);
    ASSERT_EQ(fault, "");
    fs::create_directories(rig.dir / blocker / "belegt");
    const std::string ter = rig.dir.read("TERMINE.TER"), dbt = rig.dir.read("TERMINE.DBT");
    rig.ctx.settings.CN_FILE = "TERMINE";
    EXPECT_TRUE(checkDbf(rig.ctx));
    ASSERT_EQ(rig.ui.messages.size(), 1u);
    EXPECT_EQ(rig.ui.messages[0].title, "Problem");
    EXPECT_EQ(rig.dir.read("TERMINE.TER"), ter);
    EXPECT_EQ(rig.dir.read("TERMINE.DBT"), dbt);
    std::vector<std::string> tilde;
    for (const std::string& name : rig.files()) {
      if (name.starts_with("~")) tilde.push_back(name);
    }
    EXPECT_EQ(tilde, std::vector<std::string>{blocker});
  }
}

TEST_F(CheckDbfTest, AReplacementInterruptedByACrashIsCompletedAtTheNextOpen) {
  // The new table was complete and its memo already in place when the program died.
  writeOld("TERMINE.TER", {"DATE=11.06.2024|TIME=10:00|TEXT=alt"});
  {
    test::TableRig other;
    buildDbase(other.ctx, "NEU");
    fs::copy_file(other.dir / "NEU.TER", r.dir / "~TERMINE.TER");
    fs::copy_file(other.dir / "NEU.DBT", r.dir / "TERMINE.DBT",
                  fs::copy_options::overwrite_existing);
  }
  r.dir.write("~TERMINE.REN", "TERMINE.TER\nTERMINE.DBT\n");
  r.ctx.settings.CN_FILE = "TERMINE";
  ASSERT_TRUE(checkDbf(r.ctx));
  EXPECT_TRUE(r.ui.messages.empty());
  EXPECT_EQ(leftovers(), std::vector<std::string>{});
  auto a = r.ctx.DTER->read();
  ASSERT_TRUE(a);
  EXPECT_EQ(a->TEXT, "Sie haben eine neue, leere Termindatei erzeugt.");
  expectConsistentIndexes("TERMINE");
}

TEST_F(CheckDbfTest, AReplacementThatCannotBeCompletedKeepsTheTableClosed) {
  writeOld("TERMINE.TER", {"DATE=11.06.2024|TIME=10:00|TEXT=alt"});
  writeOld("~TERMINE.TER", {"DATE=11.06.2024|TIME=10:00|TEXT=neu"}, terStruct());
  fs::create_directories(r.dir / "BELEGT" / "x");
  r.dir.write("~TERMINE.REN", "TERMINE.TER\nBELEGT\n");
  const std::string old = r.dir.read("TERMINE.TER");
  r.ctx.settings.CN_FILE = "TERMINE";
  EXPECT_FALSE(checkDbf(r.ctx));
  EXPECT_FALSE(r.ctx.DTER);
  ASSERT_EQ(r.ui.messages.size(), 1u);
  EXPECT_EQ(r.ui.messages[0].title, "Problem");
  EXPECT_EQ(r.dir.read("TERMINE.TER"), old);
  EXPECT_TRUE(r.exists("~TERMINE.TER"));
}

TEST_F(CheckDbfTest, ANewTableThatWasNeverCompletedIsDiscarded) {
  writeOld("TERMINE.TER");
  r.dir.write("~TERMINE.TER", "halb geschrieben");
  r.ctx.settings.CN_FILE = "TERMINE";
  ASSERT_TRUE(checkDbf(r.ctx));
  EXPECT_EQ(r.ui.messages.size(), 1u);  // upgraded normally
  EXPECT_EQ(test::readWithDbfread(r.dir / "TERMINE.TER").count, 6);
  EXPECT_EQ(leftovers(), std::vector<std::string>{});
}

TEST_F(CheckDbfTest, ADamagedTableIsReportedAndNeverWrittenOver) {
  r.dir.write("ZORVANE.TER", std::string("\x03\x7c\x06\x0a", 4) + std::string(40, '\xff'));
  const auto before = snapshot();
  EXPECT_FALSE(checkDbf(r.ctx));
  EXPECT_FALSE(r.ctx.DTER);
  ASSERT_EQ(r.ui.messages.size(), 1u);
  EXPECT_EQ(r.ui.messages[0].title, "Problem");
  EXPECT_TRUE(r.ui.messages[0].text.starts_with("Die Termindatei ZORVANE.TER ist beschädigt"))
      << r.ui.messages[0].text;
  EXPECT_EQ(snapshot(), before);
  EXPECT_EQ(r.ui.busyDepth, 0);
}

TEST_F(CheckDbfTest, ATableHeldByAnotherRunningProgramIsLeftAlone) {
  writeOld("ZORVANE.TER");
  r.dir.write("~ZORVANE.TER", "the other program is upgrading it");
  const auto before = snapshot();
  {
    test::TableHolder other(r.dir / "ZORVANE");
    ASSERT_TRUE(other.holding());
    EXPECT_FALSE(checkDbf(r.ctx));
    EXPECT_FALSE(r.ctx.DTER);
    ASSERT_EQ(r.ui.messages.size(), 1u);
    EXPECT_EQ(r.ui.messages[0].title, "Problem");
    EXPECT_TRUE(r.ui.messages[0].text.starts_with(
        "Die Termindatei ZORVANE.TER wird bereits von einem anderen Programm benutzt"))
        << r.ui.messages[0].text;
  }
  EXPECT_EQ(snapshot(), before);

  // Once the other program has ended, the table is upgraded and opened.
  EXPECT_TRUE(checkDbf(r.ctx));
  EXPECT_EQ(r.ctx.DTER->table().fieldCount(), 28);
}

}  // namespace
}  // namespace zrv
