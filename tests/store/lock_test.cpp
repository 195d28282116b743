// Two programs on one directory: exclusive opening keeps others out, record locks exclude
// each other without waiting, and shared appends of two processes keep table and index whole.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>

#include "store/xbase/table.h"
#include "store_test_support.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

using test::must;

// Runs `child` in a forked process and returns its exit code. The child may wait on
// `go` (a byte from the parent) and report with `done` (a byte to the parent).
class OtherProgram {
 public:
  explicit OtherProgram(std::function<int(OtherProgram&)> child) {
    if (::pipe(toChild_) != 0 || ::pipe(toParent_) != 0) throw std::runtime_error("pipe");
    pid_ = ::fork();
    // Each side keeps only its own ends, so that a side that dies ends the other's wait.
    if (pid_ != 0) {
      ::close(toChild_[0]);
      ::close(toParent_[1]);
    } else {
      ::close(toChild_[1]);
      ::close(toParent_[0]);
    }
    if (pid_ == 0) {
      ::alarm(20);  // a lock that waited would hang the test otherwise
      int rc = 99;
      try {
        rc = child(*this);
      } catch (const std::exception& e) {
        std::fprintf(stderr, "other program: %s\n", e.what());
      }
      ::_exit(rc);
    }
  }
  ~OtherProgram() {
    if (pid_ > 0 && !waited_) finish();
  }
  // Child side.
  void waitForParent() {
    char c;
    if (::read(toChild_[0], &c, 1) != 1) ::_exit(98);
  }
  void tellParent() { (void)::write(toParent_[1], "x", 1); }
  // Parent side: false when the child ended instead of answering.
  bool waitForChild() {
    char c;
    return ::read(toParent_[0], &c, 1) == 1;
  }
  void tellChild() { (void)::write(toChild_[1], "x", 1); }
  int finish() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    waited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
  }

 private:
  int toChild_[2];
  int toParent_[2];
  pid_t pid_ = -1;
  bool waited_ = false;
};

const Structure kFields = {{"NAME", 'C', 10, 0}, {"NOTE", 'M', 10, 0}};

class LockTest : public ::testing::Test {
 protected:
  test::TestDir dir;
  FixedClock clock{"15.03.2024", "10:00"};
  std::filesystem::path file = dir / "SHARED.DBF";

  void SetUp() override {
    must(Table::create(file, kFields, clock));
    auto t = test::openTable(file, clock);
    for (const char* n : {"a", "b", "c"}) {
      must(t->append());
      must(t->setString("NAME", n));
    }
    must(t->close());
  }

  StatusCode openCode(OpenMode mode) {
    Table::Options o;
    o.mode = mode;
    return Table::open(file, clock, o).code();
  }
};

TEST_F(LockTest, ExclusiveOpenKeepsOtherProgramsOut) {
  auto mine = test::openTable(file, clock, OpenMode::kExclusive);
  OtherProgram other([&](OtherProgram&) {
    const bool shared = openCode(OpenMode::kShared) == StatusCode::kLocked;
    const bool exclusive = openCode(OpenMode::kExclusive) == StatusCode::kLocked;
    return shared && exclusive ? 0 : 1;
  });
  EXPECT_EQ(other.finish(), 0);
  // A second opening within this program is refused as well.
  EXPECT_EQ(openCode(OpenMode::kShared), StatusCode::kLocked);
  const std::string message = Table::open(file, clock, {}).message();
  EXPECT_EQ(message, "Die Datei SHARED.DBF wird von einem anderen Programm benutzt.");
  ASSERT_OK(mine->close());
  OtherProgram later(
      [&](OtherProgram&) { return openCode(OpenMode::kExclusive) == StatusCode::kOk ? 0 : 1; });
  EXPECT_EQ(later.finish(), 0);
}

TEST_F(LockTest, RecordLocksExcludeEachOtherWithoutWaiting) {
  auto mine = test::openTable(file, clock, OpenMode::kShared);
  OtherProgram other([&](OtherProgram& self) {
    auto t = test::openTable(file, clock, OpenMode::kShared);
    if (!t->lockRecord(3)) return 1;
    self.tellParent();
    self.waitForParent();
    t->unlockRecord(3);
    self.tellParent();
    self.waitForParent();
    return 0;
  });
  ASSERT_TRUE(other.waitForChild());
  const auto start = std::chrono::steady_clock::now();
  const Status refused = mine->lockRecord(3);
  EXPECT_EQ(refused.code(), StatusCode::kLocked);
  EXPECT_EQ(refused.message(), "Datensatz 3 der Datei SHARED.DBF ist gesperrt.");
  EXPECT_EQ(mine->lockFile().code(), StatusCode::kLocked);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_OK(mine->lockRecord(2));
  EXPECT_TRUE(mine->holdsLock(2));
  other.tellChild();
  ASSERT_TRUE(other.waitForChild());
  EXPECT_OK(mine->lockRecord(3));
  mine->unlockAll();
  EXPECT_OK(mine->lockFile());
  other.tellChild();
  EXPECT_EQ(other.finish(), 0);
}

TEST_F(LockTest, TwoProgramsAppendingSharedKeepTableMemosAndIndexWhole) {
  {
    auto t = test::openTable(file, clock, OpenMode::kExclusive);
    ASSERT_OK(t->createIndex(dir / "NAME.NTX", {"NAME", "", false, {}}));
  }
  auto appendSome = [&](Table& t, const std::string& prefix, int n) {
    for (int i = 0; i < n; ++i) {
      must(t.append());
      EXPECT_TRUE(t.holdsLock(t.recNo()));  // a new shared record comes locked
      must(t.setString("NAME", prefix + std::to_string(100 + i)));
      must(t.setString("NOTE", prefix + " memo " + std::to_string(i)));
      must(t.commit());
      t.unlockAll();
    }
  };
  auto mine = test::openTable(file, clock, OpenMode::kShared);
  ASSERT_OK(mine->openIndex(dir / "NAME.NTX"));
  OtherProgram other([&](OtherProgram& self) {
    auto t = test::openTable(file, clock, OpenMode::kShared);
    must(t->openIndex(dir / "NAME.NTX"));
    for (int round = 0; round < 5; ++round) {
      self.waitForParent();
      appendSome(*t, "y" + std::to_string(round), 20);
      self.tellParent();
    }
    return 0;
  });
  for (int round = 0; round < 5; ++round) {
    appendSome(*mine, "x" + std::to_string(round), 20);
    other.tellChild();
    ASSERT_TRUE(other.waitForChild()) << "the other program failed in round " << round;
  }
  ASSERT_EQ(other.finish(), 0);
  ASSERT_OK(mine->goTop());
  EXPECT_EQ(mine->recCount(), 203u);
  std::vector<std::string> names;
  for (; !mine->eof(); must(mine->skip())) {
    const std::string name = must(mine->getString("NAME"));
    names.push_back(name);
    if (name.size() > 1) {
      EXPECT_EQ(must(mine->getString("NOTE")),
                name.substr(0, 2) + " memo " + std::to_string(std::stoi(name.substr(2)) - 100));
    }
  }
  EXPECT_EQ(names.size(), 203u);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
}

TEST_F(LockTest, TwoProgramsAppendingAtTheSameTimeLoseNothing) {
  {
    auto t = test::openTable(file, clock, OpenMode::kExclusive);
    ASSERT_OK(t->createIndex(dir / "NAME.NTX", {"NAME", "", false, {}}));
  }
  auto appendMany = [&](const std::string& prefix) {
    auto t = test::openTable(file, clock, OpenMode::kShared);
    must(t->openIndex(dir / "NAME.NTX"));
    for (int i = 0; i < 150; ++i) {
      must(t->append());
      must(t->setString("NAME", prefix + std::to_string(1000 + i)));
      must(t->setString("NOTE", std::string(100 + i, prefix[0])));
      must(t->commit());
      t->unlockAll();
    }
  };
  OtherProgram other([&](OtherProgram& self) {
    self.waitForParent();
    appendMany("y");
    return 0;
  });
  other.tellChild();
  appendMany("x");
  ASSERT_EQ(other.finish(), 0);
  auto t = test::openTable(file, clock, OpenMode::kShared);
  ASSERT_OK(t->openIndex(dir / "NAME.NTX"));
  EXPECT_EQ(t->recCount(), 303u);
  std::vector<std::string> names;
  for (must(t->goTop()); !t->eof(); must(t->skip())) {
    const std::string name = must(t->getString("NAME"));
    names.push_back(name);
    if (name.size() == 5) {
      EXPECT_EQ(must(t->getString("NOTE")), std::string(std::stoi(name.substr(1)) - 900, name[0]));
    }
  }
  EXPECT_EQ(names.size(), 303u);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
}

}  // namespace
}  // namespace zrv
