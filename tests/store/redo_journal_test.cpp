// The redo journal: what was committed survives a crash that lost the data files' recent
// writes, what was not committed does not come back, and a journal that no longer fits the
// table is dropped rather than applied.
#include "store/xbase/redo_journal.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <random>

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
TEST(RedoJournal, CommittedWritesSurviveAcrossCheckpointsOfASmallJournal) {
  test::TestDir dir;
  const fs::path table = dir / "T.DBF";
  dir.write("T.DBF", std::string(64, '.'));
  dir.write("T.NTX", std::string(64, '.'));
  std::map<std::string, std::string> durable = {{"T.DBF", std::string(64, '.')},
                                                {"T.NTX", std::string(64, '.')}};
  std::string latestA(64, '?'), latestB(64, '?');  // the committed bytes, as reads see them
  {
    RedoJournal::Limits limits;
    limits.bytes = 300;  // a few transactions per run
    RedoJournal journal(table, limits);
    OsFile a = must(OsFile::open(table, OsFile::Access::kReadWrite));
    OsFile b = must(OsFile::open(dir / "T.NTX", OsFile::Access::kReadWrite));
    a.journalTo(&journal, "T.DBF");
    b.journalTo(&journal, "T.NTX");
    for (int i = 0; i < 40; ++i) {
      const std::string mark = std::to_string(i % 10);
      ASSERT_OK(a.writeAt(static_cast<std::uint64_t>(i), mark.data(), 1));
      ASSERT_OK(b.writeAt(static_cast<std::uint64_t>(63 - i), mark.data(), 1));
      ASSERT_OK(journal.commit({&a, &b}));
      if (journal.checkpointDue()) {
        ASSERT_OK(journal.checkpoint({&a, &b}));
        for (auto& [name, bytes] : durable)
          bytes = dir.read(name);
      }
    }
    ASSERT_OK(a.writeAt(45, "Y", 1));  // committed after the last checkpoint
    ASSERT_OK(b.writeAt(0, "Z", 1));
    ASSERT_OK(journal.commit({&a, &b}));
    ASSERT_EQ(must(a.readAt(0, latestA.data(), 64)), 64u);
    ASSERT_EQ(must(b.readAt(0, latestB.data(), 64)), 64u);
    ASSERT_OK(a.writeAt(50, "X", 1));  // written, never committed: held back
    char c = 0;
    ASSERT_EQ(must(a.readAt(50, &c, 1)), 1u);
    EXPECT_EQ(c, 'X');
    // The crash: the journal object is gone without discard().
  }
  EXPECT_EQ(dir.read("T.DBF")[50], '.');  // the uncommitted write never reached the file
  for (const auto& [name, bytes] : durable)
    dir.write(name, bytes);
  ASSERT_NE(dir.read("T.DBF"), latestA);  // the crash really lost something

  const auto recovered = must(RedoJournal::recover(table));
  EXPECT_GT(recovered.applied, 0);
  EXPECT_FALSE(recovered.setAside);
  EXPECT_EQ(dir.read("T.DBF"), latestA);
  EXPECT_EQ(dir.read("T.NTX"), latestB);
  EXPECT_FALSE(fs::exists(RedoJournal::fileFor(table)));
}

// Held-back writes overlap, touch and extend each other in every way: reads see the latest
// bytes, and what reaches the file is exactly what was written last.
TEST(RedoJournal, HeldBackWritesReadAndLandAsWritten) {
  test::TestDir dir;
  const fs::path table = dir / "T.DBF";
  std::string model(300, '.');
  dir.write("T.DBF", model);
  RedoJournal journal(table);
  OsFile a = must(OsFile::open(table, OsFile::Access::kReadWrite));
  a.journalTo(&journal, "T.DBF");
  std::mt19937 rng(7);
  for (int i = 0; i < 2000; ++i) {
    const std::size_t at = rng() % 400, n = 1 + rng() % 40;
    const std::string bytes(n, static_cast<char>('a' + i % 26));
    ASSERT_OK(a.writeAt(at, bytes.data(), n));
    if (model.size() < at + n) model.resize(at + n, '\0');
    model.replace(at, n, bytes);
    const std::size_t from = rng() % 450, length = rng() % 80;
    std::string got(length, '?');
    got.resize(must(a.readAt(from, got.data(), length)));
    EXPECT_EQ(got, from < model.size() ? model.substr(from, length) : "") << i;
    if (i % 500 == 499) {
      ASSERT_OK(journal.commit({&a}));
      ASSERT_OK(journal.checkpoint({&a}));
      EXPECT_EQ(dir.read("T.DBF"), model);
    }
  }
}

TEST(RedoJournal, TornLastTransactionIsNotApplied) {
  test::TestDir dir;
  const fs::path table = dir / "T.DBF";
  dir.write("T.DBF", std::string(16, '.'));
  {
    RedoJournal journal(table);
    OsFile a = must(OsFile::open(table, OsFile::Access::kReadWrite));
    a.journalTo(&journal, "T.DBF");
    ASSERT_OK(a.writeAt(0, "AAAA", 4));
    ASSERT_OK(journal.commit({&a}));
    ASSERT_OK(a.writeAt(4, "BBBB", 4));
    ASSERT_OK(journal.commit({&a}));
  }
  // The second transaction's last bytes never reached the disk.
  std::string j = dir.read("T.DBF.~jn");
  const std::size_t second = j.find("BBBB");
  ASSERT_NE(second, std::string::npos);
  j[second + 3] = '\0';
  dir.write("T.DBF.~jn", j);
  dir.write("T.DBF", std::string(16, '.'));
  EXPECT_EQ(must(RedoJournal::recover(table)).applied, 1);
  EXPECT_EQ(dir.read("T.DBF"), "AAAA............");
}

TEST(RedoJournal, JournalOfAReplacedTableIsSetAsideNotApplied) {
  test::TestDir dir;
  const fs::path table = dir / "T.DBF";
  dir.write("T.DBF", std::string(16, '.'));
  dir.write("T.DBT", std::string(512, '\0'));
  {
    RedoJournal journal(table);
    OsFile a = must(OsFile::open(table, OsFile::Access::kReadWrite));
    OsFile m = must(OsFile::open(dir / "T.DBT", OsFile::Access::kReadWrite));
    a.journalTo(&journal, "T.DBF");
    m.journalTo(&journal, "T.DBT");
    journal.setStampFile(&m);
    ASSERT_OK(a.writeAt(0, "AAAA", 4));
    ASSERT_OK(journal.commit({&a, &m}));
  }
  const std::string journal = dir.read("T.DBF.~jn");
  // The same files again: applied. A same-size copy in place (another memo stamp): set aside.
  dir.write("T.DBF", std::string(16, '.'));
  EXPECT_EQ(must(RedoJournal::recover(table)).applied, 1);
  EXPECT_EQ(dir.read("T.DBF"), "AAAA............");
  dir.write("T.DBF.~jn", journal);
  dir.write("T.DBF", std::string(16, '.'));
  dir.write("T.DBT", std::string(512, '\0'));
  const auto other = must(RedoJournal::recover(table));
  EXPECT_TRUE(other.setAside);
  EXPECT_EQ(other.applied, 0);
  EXPECT_EQ(dir.read("T.DBF"), std::string(16, '.'));
  EXPECT_EQ(dir.read("T.DBF.~jx"), journal);
  EXPECT_FALSE(fs::exists(dir / "T.DBF.~jn"));
}

// A journal made by hand, bound to T.DBF by its identity.
struct HandMadeJournal {
  test::TestDir& dir;
  fs::path table = dir / "T.DBF";
  std::string bytes;
  std::uint64_t generation = 0x5EED;

  explicit HandMadeJournal(test::TestDir& d, bool bound = true) : dir(d) {
    dir.write("T.DBF", std::string(16, '.'));
    const auto id = bound ? *RedoJournal::identityOf(table) : RedoJournal::Identity{};
    bytes = RedoJournal::encodeHeader(generation, 0, id, "");
  }
  void add(std::uint32_t sequence, std::vector<RedoJournal::Write> writes) {
    bytes += RedoJournal::encodeTransaction(generation, 0, sequence, writes);
  }
  RedoJournal::Recovery recover() {
    bytes.resize(std::max<std::size_t>(bytes.size(), 4096), '\0');
    dir.write("T.DBF.~jn", bytes);
    return must(RedoJournal::recover(table));
  }
};

// Written by someone with access to the directory: a journal with sound checksums that would
// grow the table to 4 GB, follow a symbolic link out of the directory, or apply to any table
// at all is set aside whole, and nothing is written.
TEST(RedoJournal, AJournalThatWouldWriteWhereItMustNotIsSetAsideUnapplied) {
  {
    test::TestDir dir;
    HandMadeJournal j(dir);
    j.add(0, {{"T.DBF", 0, "AAAA"}});
    j.add(1, {{"T.DBF", (1ull << 32) - 8, "BBBB"}});
    const auto r = j.recover();
    EXPECT_EQ(r.why, RedoJournal::Recovery::Aside::kUnsafe);
    EXPECT_EQ(r.unsafe, "über das Ende der Datei T.DBF hinaus schreiben");
    EXPECT_EQ(dir.read("T.DBF"), std::string(16, '.'));
    EXPECT_TRUE(fs::exists(dir / "T.DBF.~jx"));
  }
  {
    test::TestDir dir;
    test::TestDir outside;
    outside.write("victim", "unberührt");
    HandMadeJournal j(dir);
    fs::create_symlink(outside / "victim", dir / "T.NTX");
    j.add(0, {{"T.DBF", 0, "AAAA"}, {"T.NTX", 0, "overwritten"}});
    EXPECT_EQ(j.recover().why, RedoJournal::Recovery::Aside::kUnsafe);
    EXPECT_EQ(outside.read("victim"), "unberührt");
    EXPECT_EQ(dir.read("T.DBF"), std::string(16, '.'));
    EXPECT_EQ(OsFile::open(dir / "T.NTX", OsFile::Access::kRead).code(), StatusCode::kIoError);
  }
  {
    test::TestDir dir;
    HandMadeJournal j(dir, false);  // neither table identity nor memo stamp
    j.add(0, {{"T.DBF", 0, "AAAA"}});
    const auto r = j.recover();
    EXPECT_EQ(r.why, RedoJournal::Recovery::Aside::kForeign);
    EXPECT_EQ(r.applied, 0);
    EXPECT_EQ(dir.read("T.DBF"), std::string(16, '.'));
  }
}

// Damage that a crash cannot leave: the intact transactions before it are replayed and the
// journal is kept as "~jx", never silently removed.
TEST(RedoJournal, ADamagedJournalIsKeptAfterItsIntactStartIsReplayed) {
  const auto expectKept = [](HandMadeJournal& j, int applied, const std::string& table) {
    const auto r = j.recover();
    EXPECT_EQ(r.why, RedoJournal::Recovery::Aside::kDamaged);
    EXPECT_EQ(r.applied, applied);
    EXPECT_EQ(j.dir.read("T.DBF"), table);
    EXPECT_TRUE(fs::exists(j.dir / "T.DBF.~jx"));
  };
  {  // a name length that does not fit its name, under a checksum that matches
    test::TestDir dir;
    HandMadeJournal j(dir);
    j.add(0, {{"T.DBF", 0, "AAAA"}});
    j.add(1, {{std::string(65536 + 2, 'x'), 0, "BBBB"}});
    expectKept(j, 1, "AAAA............");
  }
  {  // a first transaction whose length runs far past the journal
    test::TestDir dir;
    HandMadeJournal j(dir);
    j.add(0, {{"T.DBF", 0, "AAAA"}});
    j.bytes[RedoJournal::kFirstRecord + 23] = '\x7f';
    expectKept(j, 0, std::string(16, '.'));
  }
  {  // a transaction whose checksum fails with an intact one after it
    test::TestDir dir;
    HandMadeJournal j(dir);
    j.add(0, {{"T.DBF", 0, "AAAA"}});
    j.add(1, {{"T.DBF", 4, "BBBB"}});
    j.bytes[j.bytes.size() - 1] = 'b';
    j.add(2, {{"T.DBF", 8, "CCCC"}});
    expectKept(j, 1, "AAAA............");
  }
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

  // The power failed as well: none of the data files' writes reached the disk but the one the
  // journal synced when it started, the generation stamp in the memo file's header.
  void loseDataWrites() {
    const std::string stamp = dir.read("ZORVANE.DBT").substr(RedoJournal::kStampOffset, 8);
    for (const auto& [name, bytes] : before)
      dir.write(name, bytes);
    std::string memo = dir.read("ZORVANE.DBT");
    memo.replace(RedoJournal::kStampOffset, 8, stamp);
    dir.write("ZORVANE.DBT", memo);
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

TEST_F(TableJournalTest, ProcessCrashKeepsTheCommittedChangesOnly) {
  crashAfterCommits();  // the uncommitted record was held back and never reached a file
  auto t = reopen();
  EXPECT_EQ(t->recCount(), 5u);
  EXPECT_FALSE(must(t->seek("lost")));
  EXPECT_TRUE(t->uncleanEnd());
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

TEST_F(TableJournalTest, JournalIsSetAsideWhenTheTableWasReplacedSince) {
  crashAfterCommits();
  loseDataWrites();
  // Another program writes a new table of the same name before this one opens it again.
  {
    const std::string journal = dir.read("ZORVANE.TER.~jn");
    fs::remove(dir / "ZORVANE.TER.~jn");
    auto other = test::openTable(file, clock);
    for (int i = 0; i < 7; ++i) {
      must(other->append());
      must(other->setString("NAME", "other"));
    }
    must(other->close());
    const std::string bytes = dir.read("ZORVANE.TER");
    fs::remove(file);
    dir.write("ZORVANE.TER", bytes);
    dir.write("ZORVANE.TER.~jn", journal);
  }
  auto t = reopen();
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("beiseitegelegt"), std::string::npos) << notes[0];
  EXPECT_EQ(t->recCount(), 7u);  // the other program's records, not overwritten by ours
  ASSERT_OK(t->setOrder(0));
  ASSERT_OK(t->goTop());
  EXPECT_EQ(must(t->getString("NAME")), "other");
  EXPECT_TRUE(fs::exists(dir / "ZORVANE.TER.~jx"));
}

}  // namespace
}  // namespace zrv
