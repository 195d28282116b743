// Packing: deleted records go, every other record keeps its values and memo, the memo file
// loses its dead space, the indexes are rebuilt; a pack cut short by a crash is finished (or
// forgotten) at the next open.
#include <gtest/gtest.h>

#include <cerrno>

#include "store/base/file_io.h"
#include "store/base/file_ops.h"
#include "store/xbase/table.h"
#include "store_test_support.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

using test::must;
namespace fs = std::filesystem;

const Structure kFields = {{"NAME", 'C', 10, 0}, {"NOTE", 'M', 10, 0}, {"OTHER", 'M', 10, 0}};

class PackTest : public ::testing::Test {
 protected:
  test::TestDir dir;
  FixedClock clock{"15.03.2024", "10:00"};
  fs::path file = dir / "ZORVANE.TER";
  fs::path memo = dir / "ZORVANE.DBT";
  fs::path index = dir / "ZORVANE.NT1";

  std::string noteOf(int i) { return "Memo " + std::to_string(i) + std::string(i % 3 * 400, '.'); }

  // 60 records; every third deleted; memos rewritten a few times to leave dead blocks.
  void fill() {
    must(Table::create(file, kFields, clock));
    auto t = test::openTable(file, clock);
    must(t->createIndex(index, {"NAME", "", false, {}}));
    for (int i = 0; i < 60; ++i) {
      must(t->append());
      must(t->setString("NAME", "r" + std::to_string(100 - i)));
      must(t->setString("NOTE", "draft"));
      must(t->flush());
      must(t->setString("NOTE", noteOf(i)));
      if (i % 5 == 0) must(t->setString("OTHER", "zweites Memo " + std::to_string(i)));
    }
    for (int i = 0; i < 60; i += 3) {
      must(t->goTo(static_cast<std::uint32_t>(i + 1)));
      must(t->deleteRecord());
    }
    must(t->close());
  }

  void expectPacked(Table& t) {
    EXPECT_EQ(t.recCount(), 40u);
    int seen = 0;
    std::string last;
    for (must(t.goTop()); !t.eof(); must(t.skip())) {
      const std::string name = must(t.getString("NAME"));
      const int i = 100 - std::stoi(name.substr(1));
      EXPECT_NE(i % 3, 0) << name;
      EXPECT_EQ(must(t.getString("NOTE")), noteOf(i));
      EXPECT_EQ(must(t.getString("OTHER")), i % 5 == 0 ? "zweites Memo " + std::to_string(i) : "");
      EXPECT_LT(last, name);
      last = name;
      ++seen;
    }
    EXPECT_EQ(seen, 40);
  }
};

TEST_F(PackTest, RemovesDeletedRecordsAndDeadMemoSpaceKeepingEverythingElse) {
  fill();
  const auto memoBefore = fs::file_size(memo);
  auto t = test::openTable(file, clock);
  ASSERT_OK(t->openIndex(index));
  ASSERT_OK(t->pack());
  expectPacked(*t);
  EXPECT_LT(fs::file_size(memo), memoBefore / 2);
  ASSERT_OK(t->close());
  // No temporary or marker file is left behind, and other readers agree.
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    EXPECT_EQ(entry.path().string().find('~'), std::string::npos) << entry.path();
  }
  const auto dump = test::runPython("dbf_dump.py", test::quoted(file));
  ASSERT_EQ(dump.exitCode, 0) << dump.out;
  EXPECT_NE(dump.out.find("count 40 deleted 0"), std::string::npos);
  EXPECT_NE(dump.out.find("OTHER=zweites Memo 55\n"), std::string::npos);
  const auto walked = test::runPython("ntx_walk.py", test::quoted(index));
  ASSERT_EQ(walked.exitCode, 0) << walked.out;
  EXPECT_NE(walked.out.find("entries 40"), std::string::npos);
  // After the pack the table works as before.
  t = test::openTable(file, clock);
  ASSERT_OK(t->openIndex(index));
  expectPacked(*t);
}

TEST_F(PackTest, NeedsExclusiveUse) {
  fill();
  auto t = test::openTable(file, clock, OpenMode::kShared);
  EXPECT_EQ(t->pack().code(), StatusCode::kInvalidArgument);
}

TEST_F(PackTest, InterruptedPackIsFinishedOrForgottenAtTheNextOpen) {
  fill();
  // The state a crash leaves right after the new files were complete: packed copies under
  // their temporary names and the marker that lists them.
  const fs::path other = dir / "copy";
  fs::create_directory(other);
  for (const char* n : {"ZORVANE.TER", "ZORVANE.DBT", "ZORVANE.NT1"}) {
    fs::copy_file(dir / n, other / n);
  }
  {
    auto t = test::openTable(other / "ZORVANE.TER", clock);
    must(t->openIndex(other / "ZORVANE.NT1"));
    must(t->pack());
  }
  for (const char* n : {"ZORVANE.TER", "ZORVANE.DBT", "ZORVANE.NT1"}) {
    fs::copy_file(other / n, dir / (std::string(n) + ".~pk"));
  }
  const std::string unpacked = *readWholeFile(file);

  // Without the marker the temporary files are no pack: the table stays as it was.
  {
    auto t = test::openTable(file, clock);
    EXPECT_EQ(t->recCount(), 60u);
  }
  EXPECT_EQ(*readWholeFile(file), unpacked);

  ASSERT_TRUE(
      replaceFileAtomically(dir / "ZORVANE.TER.~pack", "ZORVANE.TER\nZORVANE.DBT\nZORVANE.NT1\n"));
  Table::Options shared;
  const auto refused = Table::open(file, clock, shared);
  EXPECT_EQ(refused.code(), StatusCode::kLocked);
  EXPECT_NE(refused.message().find("unterbrochen"), std::string::npos);
  auto t = test::openTable(file, clock);
  ASSERT_OK(t->openIndex(index));
  expectPacked(*t);
  EXPECT_FALSE(fs::exists(dir / "ZORVANE.TER.~pack"));
  EXPECT_FALSE(fs::exists(dir / "ZORVANE.TER.~pk"));
}

// File operations whose n-th rename fails as a full disk would.
struct FailingRename : FileOps {
  int failAt;
  int renames = 0;
  explicit FailingRename(int n) : failAt(n) {}
  Status rename(const fs::path& from, const fs::path& to) override {
    if (++renames == failAt) return status::io(to, "ersetzt", ENOSPC);
    return FileOps::rename(from, to);
  }
};

TEST_F(PackTest, ASecondOfThreeRenamesFailingIsReportedAndCompletedAtTheNextOpen) {
  fill();
  auto t = test::openTable(file, clock);
  ASSERT_OK(t->openIndex(index));
  {
    FailingRename ops(2);
    FileOpsOverride use(ops);
    const Status s = t->pack();
    EXPECT_EQ(s.code(), StatusCode::kIoError);
    // The real cause, and the file it hit: the memo, renamed second.
    EXPECT_NE(s.message().find("ZORVANE.DBT"), std::string::npos) << s.message();
    EXPECT_NE(s.message().find("kein Platz"), std::string::npos) << s.message();
    EXPECT_EQ(ops.renames, 2);
  }
  t.reset();
  // Half the files are new, half old: the marker says so, and the next open completes the set.
  EXPECT_TRUE(fs::exists(dir / "ZORVANE.TER.~pack"));
  t = test::openTable(file, clock);
  ASSERT_OK(t->openIndex(index));
  expectPacked(*t);
  EXPECT_FALSE(fs::exists(dir / "ZORVANE.TER.~pack"));
  EXPECT_FALSE(fs::exists(dir / "ZORVANE.DBT.~pk"));
  EXPECT_FALSE(fs::exists(dir / "ZORVANE.NT1.~pk"));
}

TEST_F(PackTest, AFailureBeforeAllFilesAreCompleteLeavesTheOldFiles) {
  fill();
  const std::string before = *readWholeFile(file);
  auto t = test::openTable(file, clock);
  ASSERT_OK(t->openIndex(index));
  // The marker cannot be written: nothing was renamed, the new files go again.
  struct NoMarker : FileOps {
    Status writeFile(const fs::path& f, std::string_view) override {
      return status::io(f, "geschrieben", EACCES);
    }
  } ops;
  {
    FileOpsOverride use(ops);
    EXPECT_EQ(t->pack().code(), StatusCode::kIoError);
  }
  t.reset();
  EXPECT_EQ(*readWholeFile(file), before);
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    EXPECT_EQ(entry.path().string().find('~'), std::string::npos) << entry.path();
  }
  t = test::openTable(file, clock);
  EXPECT_EQ(t->recCount(), 60u);
}

}  // namespace
}  // namespace zrv
