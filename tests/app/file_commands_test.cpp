// The table commands of the "Datei" menu on real files: new, open and delete.
#include "app/file_commands.h"

#include <gtest/gtest.h>

#include "app/check_dbf.h"
#include "app/first_start.h"
#include "store/appointments/appointment_record.h"
#include "store/appointments/appointment_table.h"
#include "store/xbase/table.h"
#include "support/lock_holder.h"
#include "support/table_rig.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;
using Shown = test::RecordingUserInterface::Shown;

struct FileCommandsTest : ::testing::Test {
  FileCommandsTest() {
    chkNext = [this](Context&, std::string_view caller) { chkNextCalls.emplace_back(caller); };
  }
  // A table with three records, one of them deleted, and a calendar index.
  void makeUsedTable(const std::string& name) {
    buildDbase(r.ctx, name);
    buildDbase(r.ctx, name);
    buildDbase(r.ctx, name);
    ASSERT_TRUE(checkDbf(r.ctx));
    ASSERT_TRUE(r.ctx.DTER->goTo(2));
    ASSERT_TRUE(r.ctx.DTER->deleteRecord());
    ASSERT_TRUE(r.ctx.DTER->commit());
    r.dir.write(name + ".KAL", "Kalender");
  }
  std::string current() const { return r.ctx.DTER ? r.ctx.DTER->base().filename().string() : ""; }

  test::TableRig r;
  ChkNextFn chkNext;
  std::vector<std::string> chkNextCalls;
};

TEST_F(FileCommandsTest, ANewTableGetsAnEightCharacterUpperCaseNameInTheProgramDirectory) {
  dateiNeu(r.ctx, "/somewhere/else/Termine2024.ter", chkNext);
  EXPECT_TRUE(r.ui.questions.empty());
  EXPECT_EQ(r.ctx.settings.CN_FILE, "TERMINE2");
  EXPECT_EQ(current(), "TERMINE2");
  for (const char* f : {"TERMINE2.TER", "TERMINE2.DBT", "TERMINE2.NT1", "TERMINE2.NT4"})
    EXPECT_TRUE(r.exists(f)) << f;
  EXPECT_FALSE(fs::exists("/somewhere/else/TERMINE2.TER"));
  EXPECT_EQ(test::viewOrder(*r.ctx.DTER, 1), std::vector<std::uint32_t>{1});
  EXPECT_TRUE(chkNextCalls.empty());

  const auto before = r.files();
  dateiNeu(r.ctx, "", chkNext);  // dialog cancelled
  EXPECT_EQ(r.files(), before);
  EXPECT_EQ(current(), "TERMINE2");
}

TEST_F(FileCommandsTest, OverwritingAskedWithNoAsDefaultAndNoKeepsTheTable) {
  makeUsedTable("TERMINE2");
  buildDbase(r.ctx, "ZORVANE");
  ASSERT_TRUE(checkDbf(r.ctx));
  const std::string bytes = r.dir.read("TERMINE2.TER");
  r.ui.answers = {false};
  dateiNeu(r.ctx, "termine2", chkNext);
  EXPECT_EQ(r.ui.questions,
            (std::vector<Shown>{{"Neue Termindatei",
                                 "Die Datei TERMINE2.TER existiert bereits. Diese Datei "
                                 "überschreiben ?"}}));
  EXPECT_EQ(r.ui.questionDefaults, std::vector<bool>{false});
  EXPECT_EQ(r.dir.read("TERMINE2.TER"), bytes);
  EXPECT_EQ(current(), "ZORVANE");
  EXPECT_TRUE(chkNextCalls.empty());
}

TEST_F(FileCommandsTest, OverwritingLeavesOnlyTheNoteWithFreshIndexes) {
  makeUsedTable("TERMINE2");  // and current
  r.ui.answers = {true};
  dateiNeu(r.ctx, "Termine2.TER", chkNext);
  EXPECT_EQ(chkNextCalls, std::vector<std::string>{"DateiNeu"});
  EXPECT_EQ(current(), "TERMINE2");
  const auto dump = test::readWithDbfread(r.dir / "TERMINE2.TER");
  ASSERT_EQ(dump.count, 1) << dump.output;
  EXPECT_EQ(dump.deleted, 0);
  EXPECT_EQ(dump.records[0].at("TEXT"), "Sie haben eine neue, leere Termindatei erzeugt.");
  EXPECT_EQ(test::walkNtx(r.dir / "TERMINE2.NT1"),
            (std::vector<std::pair<std::string, std::uint32_t>>{{"2024061109:30", 1}}));
  EXPECT_FALSE(r.exists("TERMINE2.KAL"));
  EXPECT_EQ(test::viewOrder(*r.ctx.DTER, 1), std::vector<std::uint32_t>{1});
}

TEST_F(FileCommandsTest, ANewDefaultTableGetsTheSamplesAgain) {
  ASSERT_TRUE(Table::create(r.dir / "ZORVANE.TER", terStruct(), r.clock));
  r.ui.answers = {true};
  dateiNeu(r.ctx, "zorvane", chkNext);
  EXPECT_EQ(r.ui.questions.size(), 1u);
  EXPECT_EQ(test::readWithDbfread(r.dir / "ZORVANE.TER").count, 4);
  EXPECT_EQ(test::viewOrder(*r.ctx.DTER, 1).size(), 4u);
}

TEST_F(FileCommandsTest, ATableThatAnotherProgramHoldsIsNotOverwritten) {
  buildDbase(r.ctx, "TERMINE2");
  buildDbase(r.ctx, "ZORVANE");
  ASSERT_TRUE(checkDbf(r.ctx));
  const std::string bytes = r.dir.read("TERMINE2.TER");
  test::TableHolder other(r.dir / "TERMINE2");
  ASSERT_TRUE(other.holding());
  r.ui.answers = {true};
  dateiNeu(r.ctx, "TERMINE2", chkNext);
  ASSERT_EQ(r.ui.messages.size(), 1u);
  EXPECT_NE(r.ui.messages[0].text.find("wird bereits von einem anderen Programm benutzt"),
            std::string::npos);
  EXPECT_EQ(r.dir.read("TERMINE2.TER"), bytes);
  EXPECT_EQ(current(), "ZORVANE");
  EXPECT_TRUE(chkNextCalls.empty());

  r.ui.answers = {true};
  dateiDel(r.ctx, "TERMINE2.TER");
  EXPECT_EQ(r.ui.messages.size(), 2u);
  EXPECT_TRUE(r.exists("TERMINE2.TER"));
}

TEST_F(FileCommandsTest, OpeningAnotherTableAndTheOneInUse) {
  buildDbase(r.ctx, "TERMINE2");
  buildDbase(r.ctx, "TERMINE");
  ASSERT_TRUE(checkDbf(r.ctx));
  EXPECT_TRUE(dbfOpen(r.ctx, (r.dir / "termine2.ter").string()));  // spelled otherwise
  EXPECT_EQ(r.ctx.settings.CN_FILE, "TERMINE2");
  EXPECT_EQ(current(), "TERMINE2");

  const auto logged = r.logLines().size();
  EXPECT_TRUE(dbfOpen(r.ctx, (r.dir / "TERMINE2.TER").string()));  // already current
  EXPECT_TRUE(dbfOpen(r.ctx, (r.dir / "FEHLT.TER").string()));     // does not exist
  EXPECT_TRUE(dbfOpen(r.ctx, ""));                                 // cancelled
  EXPECT_EQ(r.logLines().size(), logged);
  EXPECT_EQ(current(), "TERMINE2");

  // A table outside the program directory is not found there: the default table instead.
  test::TestDir elsewhere;
  fs::copy_file(r.dir / "TERMINE.TER", elsewhere / "AUSWAERT.TER");
  EXPECT_TRUE(dbfOpen(r.ctx, (elsewhere / "AUSWAERT.TER").string()));
  EXPECT_EQ(r.ctx.settings.CN_FILE, "ZORVANE");
  EXPECT_EQ(current(), "ZORVANE");
}

TEST_F(FileCommandsTest, TheTableInUseCannotBeDeletedWhateverTheCase) {
  buildDbase(r.ctx, "TERMINE");
  ASSERT_TRUE(checkDbf(r.ctx));
  const auto before = r.files();
  dateiDel(r.ctx, (r.dir / "termine.Ter").string());
  EXPECT_EQ(r.ui.messages,
            (std::vector<Shown>{
                {"Datei löschen", "Sie können keine Datei löschen, die Sie zur Zeit benutzen !"}}));
  EXPECT_TRUE(r.ui.questions.empty());
  EXPECT_EQ(r.files(), before);
  EXPECT_EQ(current(), "TERMINE");
}

TEST_F(FileCommandsTest, AnotherTableIsDeletedWithAllItsFilesAfterYes) {
  makeUsedTable("TERMINE2");
  fs::rename(r.dir / "TERMINE2.DBT", r.dir / "termine2.dbt");
  fs::rename(r.dir / "TERMINE2.NT3", r.dir / "Termine2.nt3");
  buildDbase(r.ctx, "TERMINE");
  ASSERT_TRUE(checkDbf(r.ctx));

  r.ui.answers = {false};
  dateiDel(r.ctx, "/x/TERMINE2.TER");
  EXPECT_EQ(
      r.ui.questions,
      (std::vector<Shown>{{"Datei löschen", "Möchten Sie die Termin-Datei 'TERMINE2' löschen ?"}}));
  EXPECT_EQ(r.ui.questionDefaults, std::vector<bool>{false});
  EXPECT_TRUE(r.exists("TERMINE2.TER"));

  r.ui.answers = {true};
  dateiDel(r.ctx, "/x/termine2.ter");
  for (const std::string& name : r.files())
    EXPECT_FALSE(name.starts_with("TERMINE2") || name.starts_with("termine2") ||
                 name.starts_with("Termine2"))
        << name;
  EXPECT_TRUE(r.exists("TERMINE.TER"));
  EXPECT_TRUE(r.exists("TERMINE.DBT"));
  EXPECT_TRUE(r.exists("TERMINE.NT1"));
  EXPECT_EQ(current(), "TERMINE");
  EXPECT_TRUE(r.ui.messages.empty());

  dateiDel(r.ctx, "");  // cancelled
  EXPECT_EQ(r.ui.questions.size(), 2u);
}

}  // namespace
}  // namespace zrv
