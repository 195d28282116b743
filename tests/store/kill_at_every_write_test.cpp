// One change of each kind (append, change, memo growth, delete, pack) killed at every single
// write it makes, and again with a power failure at that write (writes not yet synced are lost):
// the table opened afterwards holds the state before or after the change, never a mixture, every
// earlier commit is there, and every index matches the table without a rebuild.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "crash_support.h"
#include "store/appointments/appointment_record.h"
#include "store_test_support.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

using test::must;
namespace fs = std::filesystem;

Appointment sample(int n, const Date& date) {
  Appointment a;
  a.DATE = a.TDATE = date;
  a.TIME = a.TTIME = a.TIMEVON = (n % 2 ? "09:" : "14:") + std::to_string(10 + n % 50);
  a.TEXT = "Termin " + std::to_string(n) + "\r\nzweite Zeile";
  a.VORLAGE = 1 + n % 3;
  a.QUIT = n % 5 == 0;
  return a;
}

using Change = std::function<Status(AppointmentTable&)>;

class KillAtEveryWrite : public ::testing::Test {
 protected:
  test::TestDir dir;
  FixedClock clock{"15.03.2024", "10:00"};
  const Date today = *Date::fromYmd(2024, 3, 15);
  fs::path seed = dir / "seed";

  void SetUp() override {
    fs::create_directories(seed);
    must(Table::create(seed / "ZORVANE.TER", terStruct(), clock));
    auto t = open(seed);
    for (int i = 0; i < 30; ++i) {
      must(t->append(sample(i, (today + (i % 4 - 1)))));
      if (i % 7 == 3) must(t->deleteRecord());
    }
    must(t->commit());
    must(t->close());
  }

  std::unique_ptr<AppointmentTable> open(const fs::path& where,
                                         std::vector<std::string>* notes = nullptr,
                                         std::size_t journalBytes = kJournalBytes) {
    AppointmentTable::Options o;
    if (notes) o.onNote = [notes](const std::string& n) { notes->push_back(n); };
    o.journalCheckpointBytes = journalBytes;
    return must(AppointmentTable::open(where / "ZORVANE", clock, o));
  }

  // What runs before the change that is killed, and the journal's checkpoint size.
  struct Before {
    // A change committed before, which a power failure must not take away. Without one, the
    // change's commit is the session's first: it makes the journal file.
    Change first;
    std::size_t journalBytes = kJournalBytes;
  };
  static constexpr std::size_t kJournalBytes = 1u << 20;  // the tables' own

  Before oneCommitBefore() {
    return {[this](AppointmentTable& t) {
      if (Status s = t.append(sample(99, today)); !s) return s;
      return t.commit();
    }};
  }

  // The state after `first` (and `change` and the close after it), written by this process
  // without a crash.
  std::vector<test::RecordState> stateAfter(const Before& b, const Change& change, long* writes) {
    const fs::path work = dir / "dry";
    test::copyFiles(seed, work);
    test::CrashFileOps ops;
    FileOpsOverride use(ops);
    auto t = open(work, nullptr, b.journalBytes);
    if (b.first) must(b.first(*t));
    ops.arm(0, false);
    if (change) must(change(*t));
    must(t->close());
    if (writes) *writes = ops.writes();
    auto reopened = open(work);
    return must(test::tableState(*reopened));
  }

  // Kills `change` and the close after it (which writes the change to the data files) at each
  // of their writes and checks what the next open finds.
  void killEachWrite(const Change& change, bool powerLoss, const Before& b) {
    const auto before = stateAfter(b, nullptr, nullptr);
    long writes = 0;
    const auto after = stateAfter(b, change, &writes);
    ASSERT_NE(before, after);
    ASSERT_GE(writes, 2);
    int sawBefore = 0, sawAfter = 0;
    for (long k = 1; k <= writes; ++k) {
      SCOPED_TRACE("killed at write " + std::to_string(k) + " of " + std::to_string(writes));
      const fs::path work = dir / "work";
      test::copyFiles(seed, work);
      const pid_t pid = ::fork();
      if (pid == 0) {
        test::CrashFileOps ops;
        FileOpsOverride use(ops);
        ops.trackDurability();
        AppointmentTable::Options o;
        o.journalCheckpointBytes = b.journalBytes;
        auto t = AppointmentTable::open(work / "ZORVANE", clock, o);
        if (!t || (b.first && !b.first(**t))) ::_exit(2);
        ops.arm(k, powerLoss);
        if (!change(**t) || !(*t)->close()) ::_exit(3);
        ::_exit(0);
      }
      int status = 0;
      ::waitpid(pid, &status, 0);
      ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
      std::vector<std::string> notes;
      auto t = open(work, &notes);
      const auto state = must(test::tableState(*t));
      EXPECT_TRUE(state == before || state == after);
      sawBefore += state == before;
      sawAfter += state == after;
      EXPECT_TRUE(must(test::mismatchedIndexes(*t)).empty());
      for (const std::string& n : notes) {
        EXPECT_EQ(n.find("neu aufgebaut"), std::string::npos) << n;
        EXPECT_EQ(n.find("beiseitegelegt"), std::string::npos) << n;
      }
      must(t->close());
    }
    // Both ends were reached: killed before the commit point and after it.
    EXPECT_GT(sawBefore, 0);
    EXPECT_GT(sawAfter, 0);
    const auto read = test::runPython("dbf_dump.py", test::quoted(dir / "work" / "ZORVANE.TER"));
    EXPECT_EQ(read.exitCode, 0) << read.out;
  }
  void killEachWrite(const Change& change, bool powerLoss) {
    killEachWrite(change, powerLoss, oneCommitBefore());
  }
};

Status appendOne(AppointmentTable& t, const Date& d) {
  Appointment a = sample(7, d);
  a.TEXT = "Neu angelegt\r\n" + std::string(700, 'n');
  if (Status s = t.append(a); !s) return s;
  return t.commit();
}

Status changeOne(AppointmentTable& t, std::uint32_t recno, const Date& d, std::size_t memo) {
  if (Status s = t.goTo(recno); !s) return s;
  auto a = t.read();
  if (!a) return a.status();
  a->TDATE = a->DATE = d;
  a->TTIME = "23:59";
  a->QUIT = !a->QUIT;
  a->TEXT = "Geändert\r\n" + std::string(memo, 'g');
  if (Status s = t.write(*a); !s) return s;
  return t.commit();
}

TEST_F(KillAtEveryWrite, Append) {
  killEachWrite([this](AppointmentTable& t) { return appendOne(t, today); }, false);
}

TEST_F(KillAtEveryWrite, ChangeOfKeyConditionAndMemo) {
  killEachWrite([this](AppointmentTable& t) { return changeOne(t, 6, (today + (3)), 10); }, false);
}

TEST_F(KillAtEveryWrite, MemoGrowingOverManyBlocks) {
  killEachWrite([this](AppointmentTable& t) { return changeOne(t, 9, today, 5000); }, false);
}

TEST_F(KillAtEveryWrite, Delete) {
  killEachWrite(
      [](AppointmentTable& t) {
        if (Status s = t.goTo(12); !s) return s;
        if (Status s = t.deleteRecord(); !s) return s;
        return t.commit();
      },
      false);
}

TEST_F(KillAtEveryWrite, Pack) {
  killEachWrite([](AppointmentTable& t) { return t.pack(); }, false);
}

// The session's first commit makes the journal file: reserved, written with zeros, given its
// header. A crash anywhere in that loses nothing and leaves nothing behind to set aside.
TEST_F(KillAtEveryWrite, PowerLossWhileTheJournalIsMade) {
  killEachWrite([this](AppointmentTable& t) { return appendOne(t, today); }, true, Before{});
}

// A journal that checkpoints after every commit: the change's transaction is written over the
// space of the run before, whose transactions are still there.
TEST_F(KillAtEveryWrite, PowerLossInReusedJournalSpace) {
  Before b = oneCommitBefore();
  b.journalBytes = 1;
  killEachWrite([this](AppointmentTable& t) { return changeOne(t, 6, today + 3, 3000); }, true, b);
  killEachWrite([this](AppointmentTable& t) { return appendOne(t, today); }, false, b);
}

TEST_F(KillAtEveryWrite, PowerLossKeepsEveryReportedCommit) {
  for (const auto& change :
       {Change([this](AppointmentTable& t) { return appendOne(t, today); }),
        Change([this](AppointmentTable& t) { return changeOne(t, 6, (today + (3)), 3000); }),
        Change([](AppointmentTable& t) { return t.pack(); })}) {
    killEachWrite(change, true);
  }
}

}  // namespace
}  // namespace zrv
