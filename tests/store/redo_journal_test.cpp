// The redo journal: what was committed survives a crash that lost the data files' recent
// writes, what was not committed does not come back, and a journal that no longer fits the
// table is dropped rather than applied.
#include "store/xbase/redo_journal.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <map>

#include "store/base/file_io.h"
#include "store/xbase/table.h"
#include "store_test_support.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

using test::must;
namespace fs = std::filesystem;

// A crash that loses every write not yet on disk: the data files fall back to what the last
// sync made durable, while the journal keeps what its flushes made durable.
TEST(RedoJournal, CommittedWritesSurviveAcrossWrapsOfASmallJournal) {
  test::TestDir dir;
  const fs::path table = dir / "T.DBF";
  dir.write("T.DBF", std::string(64, '.'));
  dir.write("T.NTX", std::string(64, '.'));
  std::map<std::string, std::string> durable = {{"T.DBF", std::string(64, '.')},
                                                {"T.NTX", std::string(64, '.')}};
  auto snapshot = [&] {
    for (auto& [name, bytes] : durable)
      bytes = dir.read(name);
    return Status();
  };
  {
    RedoJournal journal(table, 300);  // a few records per round
    OsFile a = must(OsFile::open(table, OsFile::Access::kReadWrite));
    OsFile b = must(OsFile::open(dir / "T.NTX", OsFile::Access::kReadWrite));
    a.journalTo(&journal, "T.DBF");
    b.journalTo(&journal, "T.NTX");
    for (int i = 0; i < 40; ++i) {
      const std::string mark = std::to_string(i % 10);
      ASSERT_OK(a.writeAt(static_cast<std::uint64_t>(i), mark.data(), 1));
      ASSERT_OK(b.writeAt(static_cast<std::uint64_t>(63 - i), mark.data(), 1));
      journal.setTableSize(64);
      ASSERT_OK(journal.commit(snapshot));
    }
    ASSERT_OK(a.writeAt(50, "X", 1));  // written, never committed
    // The crash: the journal object is gone without discard().
  }
  const std::string latestA = dir.read("T.DBF"), latestB = dir.read("T.NTX");
  for (const auto& [name, bytes] : durable)
    dir.write(name, bytes);
  ASSERT_NE(dir.read("T.DBF"), latestA);  // the crash really lost something

  const auto recovered = must(RedoJournal::recover(table));
  EXPECT_GT(recovered.applied, 0);
  EXPECT_FALSE(recovered.dropped);
  std::string expectedA = latestA;
  expectedA[50] = '.';
  EXPECT_EQ(dir.read("T.DBF"), expectedA);
  EXPECT_EQ(dir.read("T.NTX"), latestB);
  EXPECT_FALSE(fs::exists(RedoJournal::fileFor(table)));
}

TEST(RedoJournal, TornLastRecordIsNotApplied) {
  test::TestDir dir;
  const fs::path table = dir / "T.DBF";
  dir.write("T.DBF", std::string(16, '.'));
  {
    RedoJournal journal(table);
    OsFile a = must(OsFile::open(table, OsFile::Access::kReadWrite));
    a.journalTo(&journal, "T.DBF");
    ASSERT_OK(a.writeAt(0, "AAAA", 4));
    journal.setTableSize(16);
    ASSERT_OK(journal.commit([] { return Status(); }));
    ASSERT_OK(a.writeAt(4, "BBBB", 4));
    ASSERT_OK(journal.commit([] { return Status(); }));
  }
  // The second record's last bytes never reached the disk.
  std::string j = dir.read("T.DBF.~jn");
  const std::size_t second = j.find("BBBB");
  ASSERT_NE(second, std::string::npos);
  j[second + 3] = '\0';
  dir.write("T.DBF.~jn", j);
  dir.write("T.DBF", std::string(16, '.'));
  EXPECT_EQ(must(RedoJournal::recover(table)).applied, 1);
  EXPECT_EQ(dir.read("T.DBF"), "AAAA............");
}

class TableJournalTest : public ::testing::Test {
 protected:
  test::TestDir dir;
  FixedClock clock{"15.03.2024", "10:00"};
  fs::path file = dir / "ZORVANE.TER";
  std::map<std::string, std::string> before;  // the files as a clean close left them
  std::vector<std::string> notes;

  void SetUp() override {
    must(Table::create(file, {{"NAME", 'C', 10, 0}, {"NOTE", 'M', 10, 0}}, clock));
    auto t = test::openTable(file, clock);
    must(t->createIndex(dir / "ZORVANE.NT1", {"NAME", "", false, {}}));
    must(t->close());
    for (const char* n : {"ZORVANE.TER", "ZORVANE.DBT", "ZORVANE.NT1"})
      before[n] = dir.read(n);
  }

  // Another program appends five committed records and one uncommitted one, then dies.
  void crashAfterCommits() {
    const pid_t pid = ::fork();
    if (pid == 0) {
      auto t = test::openTable(file, clock);
      must(t->openIndex(dir / "ZORVANE.NT1"));
      for (int i = 0; i < 5; ++i) {
        must(t->append());
        must(t->setString("NAME", "n" + std::to_string(9 - i)));
        must(t->setString("NOTE", "Memo " + std::to_string(i)));
        must(t->commit());
      }
      must(t->append());
      must(t->setString("NAME", "lost"));
      must(t->flush());
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(fs::exists(dir / "ZORVANE.TER.~jn"));
  }

  // The power failed as well: none of the data files' writes reached the disk.
  void loseDataWrites() {
    for (const auto& [name, bytes] : before)
      dir.write(name, bytes);
  }

  std::unique_ptr<Table> reopen() {
    Table::Options o;
    o.mode = OpenMode::kExclusive;
    o.onNote = [this](const std::string& n) { notes.push_back(n); };
    auto t = must(Table::open(file, clock, o));
    must(t->openIndex(dir / "ZORVANE.NT1"));
    return t;
  }
};

TEST_F(TableJournalTest, CommittedAppendsSurviveLosingTheDataFiles) {
  crashAfterCommits();
  loseDataWrites();
  Table::Options shared;
  EXPECT_EQ(Table::open(file, clock, shared).code(), StatusCode::kLocked);
  auto t = reopen();
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0],
            "Die Datei ZORVANE.TER wurde nach einem Abbruch um 5 gesicherte Änderungen "
            "ergänzt.");
  EXPECT_FALSE(fs::exists(dir / "ZORVANE.TER.~jn"));
  EXPECT_EQ(t->recCount(), 5u);
  std::vector<std::string> names;
  for (must(t->goTop()); !t->eof(); must(t->skip())) {
    names.push_back(must(t->getString("NAME")));
    EXPECT_EQ(must(t->getString("NOTE")), "Memo " + std::to_string(9 - (names.back()[1] - '0')));
  }
  EXPECT_EQ(names, (std::vector<std::string>{"n5", "n6", "n7", "n8", "n9"}));
  ASSERT_OK(t->close());
  const auto walked = test::runPython("ntx_walk.py", test::quoted(dir / "ZORVANE.NT1"));
  EXPECT_EQ(walked.exitCode, 0) << walked.out;
  EXPECT_NE(walked.out.find("entries 5"), std::string::npos) << walked.out;
}

TEST_F(TableJournalTest, ProcessCrashKeepsEverythingAndTheJournalChangesNothing) {
  crashAfterCommits();  // the page cache survived: the files hold even the uncommitted record
  auto t = reopen();
  EXPECT_EQ(t->recCount(), 6u);
  EXPECT_TRUE(must(t->seek("lost")));
}

TEST_F(TableJournalTest, NewTableOfTheSameNameIgnoresWhatACrashLeft) {
  crashAfterCommits();
  for (const char* n : {"ZORVANE.TER", "ZORVANE.DBT", "ZORVANE.NT1"})
    fs::remove(dir / n);
  ASSERT_OK(Table::create(file, {{"OTHER", 'C', 3, 0}}, clock));
  auto t = test::openTable(file, clock);
  EXPECT_EQ(t->recCount(), 0u);
  EXPECT_EQ(t->fieldCount(), 1);
}

TEST_F(TableJournalTest, JournalIsDroppedWhenAnotherProgramChangedTheTableSince) {
  crashAfterCommits();
  loseDataWrites();
  // Another program appends to the table before this one opens it again.
  {
    const std::string journal = dir.read("ZORVANE.TER.~jn");
    fs::remove(dir / "ZORVANE.TER.~jn");
    auto other = test::openTable(file, clock);
    for (int i = 0; i < 7; ++i) {
      must(other->append());
      must(other->setString("NAME", "other"));
    }
    must(other->close());
    dir.write("ZORVANE.TER.~jn", journal);
  }
  auto t = reopen();
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("verworfen"), std::string::npos) << notes[0];
  EXPECT_EQ(t->recCount(), 7u);  // the other program's records, not overwritten by ours
  ASSERT_OK(t->setOrder(0));
  ASSERT_OK(t->goTop());
  EXPECT_EQ(must(t->getString("NAME")), "other");
}

}  // namespace
}  // namespace zrv
