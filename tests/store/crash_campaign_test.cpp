// The crash campaign: a child process applies a seeded sequence of appends, changes, memo edits,
// deletions and packs to the appointment table, noting each change once its commit has returned;
// the test kills it with SIGKILL at a random moment (every other child with a small journal
// that checkpoints every few commits), opens the table with the program's own
// code and requires exactly the noted changes (or one more, committed but not yet noted), every
// index matching the table without a rebuild; at the end python3-dbfread reads every record and
// memo of the table as each kill left it. ZRV_CRASH_KILLS sets the number of kills (200).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <thread>

#include "crash_support.h"
#include "store/appointments/appointment_record.h"
#include "store_test_support.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

using test::must;
using test::RecordState;
namespace fs = std::filesystem;
using Model = std::vector<RecordState>;

struct Op {
  enum Kind { kAppend, kChange, kMemo, kDelete, kPack } kind = kAppend;
  std::uint32_t recno = 0;
  Appointment a;     // append, change
  std::string text;  // memo
};

std::string randomText(std::mt19937& rng) {
  static const char* const kTitles[] = {"Zahnarzt", "Änderung der Sitzung", "Anruf", "Geburtstag",
                                        "Besprechung"};
  std::string t = kTitles[rng() % 5];
  const std::size_t extra = rng() % 4 == 0 ? rng() % 2000 : rng() % 60;
  if (extra > 0) t += "\r\n";
  for (std::size_t i = 0; i < extra; ++i)
    t += static_cast<char>('a' + rng() % 26);
  return t;
}

Appointment randomAppointment(std::mt19937& rng, const Date& today) {
  Appointment a;
  a.DATE = a.TDATE = today + static_cast<long>(rng() % 9) - 3;
  char time[6];
  std::snprintf(time, sizeof time, "%02u:%02u", unsigned(rng() % 24), unsigned(rng() % 60));
  a.TIME = a.TTIME = a.TIMEVON = time;
  a.TEXT = randomText(rng);
  a.VORLAGE = 1 + static_cast<int>(rng() % 3);
  a.QUIT = rng() % 4 == 0;
  a.WARNMIN = static_cast<int>(rng() % 60);
  return a;
}

// The next change for a table in state `m`; the same seed and state give the same change.
Op planOp(std::mt19937& rng, const Model& m, const Date& today) {
  std::vector<std::uint32_t> live;
  for (const RecordState& r : m)
    if (!r.deleted) live.push_back(r.recno);
  Op op;
  const unsigned roll = rng() % 100;
  op.kind = roll < 35 || live.empty() ? Op::kAppend
            : roll < 60               ? Op::kChange
            : roll < 78               ? Op::kMemo
            : roll < 97               ? Op::kDelete
                                      : Op::kPack;
  if (!live.empty()) op.recno = live[rng() % live.size()];
  if (op.kind == Op::kAppend || op.kind == Op::kChange) op.a = randomAppointment(rng, today);
  if (op.kind == Op::kMemo) op.text = randomText(rng);
  return op;
}

void applyToModel(const Op& op, Model& m) {
  switch (op.kind) {
    case Op::kAppend:
      m.push_back(RecordState{static_cast<std::uint32_t>(m.size() + 1), false, op.a});
      break;
    case Op::kChange:
      m[op.recno - 1].a = op.a;
      break;
    case Op::kMemo:
      m[op.recno - 1].a.TEXT = op.text;
      break;
    case Op::kDelete:
      m[op.recno - 1].deleted = true;
      break;
    case Op::kPack: {
      Model kept;
      for (RecordState& r : m) {
        if (r.deleted) continue;
        r.recno = static_cast<std::uint32_t>(kept.size() + 1);
        kept.push_back(std::move(r));
      }
      m = std::move(kept);
      break;
    }
  }
}

Status applyToTable(const Op& op, AppointmentTable& t) {
  if (op.kind == Op::kAppend) {
    if (Status s = t.append(op.a); !s) return s;
    return t.commit();
  }
  if (op.kind == Op::kPack) return t.pack();
  if (Status s = t.goTo(op.recno); !s) return s;
  if (op.kind == Op::kDelete) {
    if (Status s = t.deleteRecord(); !s) return s;
  } else {
    Appointment a = op.a;
    if (op.kind == Op::kMemo) {
      auto old = t.read();
      if (!old) return old.status();
      a = *old;
      a.TEXT = op.text;
    }
    if (Status s = t.write(a); !s) return s;
  }
  return t.commit();
}

std::string escaped(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\\')
      out += "\\\\";
    else
      out += c;
  }
  return out;
}

// What dbfread must find: the live records' text, date and time, and the number deleted.
void writeExpected(const Model& m, const fs::path& file) {
  std::ofstream out(file, std::ios::binary);
  int deleted = 0;
  for (const RecordState& r : m) {
    if (r.deleted) {
      ++deleted;
      continue;
    }
    out << escaped(r.a.TEXT) << '\t' << r.a.DATE.dtos() << '\t' << r.a.TTIME << '\n';
  }
  out << "deleted " << deleted << '\n';
}

// The fields the campaign sets, of every record: what a table state is compared by (the other
// fields read back as the record layer fills them in).
std::string summary(const Model& m) {
  std::string out;
  for (const RecordState& r : m) {
    const Appointment& a = r.a;
    out += std::to_string(r.recno) + (r.deleted ? "*" : " ") + a.DATE.dtos() + a.TDATE.dtos() +
           a.TIME + a.TTIME + a.TIMEVON + std::to_string(a.VORLAGE) + (a.QUIT ? "Q" : "-") +
           std::to_string(a.WARNMIN) + "|" + a.TEXT + "\n";
  }
  return out;
}

int killsWanted() {
  const char* n = std::getenv("ZRV_CRASH_KILLS");
  return n && std::atoi(n) > 0 ? std::atoi(n) : 200;
}

TEST(CrashCampaign, EveryKillLeavesExactlyTheCommittedChanges) {
  test::TestDir dir;
  FixedClock clock{"15.03.2024", "10:00"};
  const Date today = *Date::fromYmd(2024, 3, 15);
  const fs::path work = dir / "work", log = dir / "committed.log", snapshots = dir / "kills";
  fs::create_directories(work);
  must(Table::create(work / "ZORVANE.TER", terStruct(), clock));
  AppointmentTable::Options options;
  std::vector<std::string> notes;
  options.onNote = [&notes](const std::string& n) { notes.push_back(n); };
  Model state;
  {
    auto t = must(AppointmentTable::open(work / "ZORVANE", clock, options));
    std::mt19937 rng(1);
    for (int i = 0; i < 20; ++i)
      must(t->append(randomAppointment(rng, today)));
    must(t->commit());
    state = must(test::tableState(*t));
  }
  const int wanted = killsWanted();
  const auto started = std::chrono::steady_clock::now();
  int kills = 0, rounds = 0, lost = 0, extra = 0, misindexed = 0, setAside = 0;
  long committed = 0;
  int oneMore = 0;
  std::mt19937 timing(4711);
  while (kills < wanted) {
    const unsigned seed = 1000u + static_cast<unsigned>(rounds++);
    // A child killed before it opens its log must not leave the last round's notes behind.
    fs::remove(log);
    const pid_t pid = ::fork();
    if (pid == 0) {
      const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      // Every other round with a journal that checkpoints every few commits: most commits then
      // land in journal space reused after a checkpoint, and kills hit checkpoints too.
      AppointmentTable::Options small;
      if (rounds % 2 == 0) small.journalCheckpointBytes = 16u << 10;
      auto t = AppointmentTable::open(work / "ZORVANE", clock, small);
      if (!t || fd < 0) ::_exit(2);
      std::mt19937 rng(seed);
      Model m = state;
      for (int i = 0; i < 400; ++i) {
        const Op op = planOp(rng, m, today);
        if (!applyToTable(op, **t)) ::_exit(3);
        (void)!::write(fd, "+", 1);
        applyToModel(op, m);
      }
      ::_exit(0);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(timing() % 60000));
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status)) {
      ASSERT_EQ(WEXITSTATUS(status), 0) << "the child failed in round " << rounds;
    } else {
      ++kills;
    }
    const long noted = fs::exists(log) ? static_cast<long>(fs::file_size(log)) : 0;
    committed += noted;
    // The states after the noted changes and after one more.
    std::mt19937 rng(seed);
    Model expected = state, onePlus;
    for (long i = 0; i < noted; ++i)
      applyToModel(planOp(rng, expected, today), expected);
    onePlus = expected;
    applyToModel(planOp(rng, onePlus, today), onePlus);

    notes.clear();
    auto t = must(AppointmentTable::open(work / "ZORVANE", clock, options));
    const Model found = must(test::tableState(*t));
    const std::string now = summary(found);
    if (now == summary(onePlus) && now != summary(expected)) ++oneMore;
    if (now != summary(expected) && now != summary(onePlus)) {
      // Which state it is, if any: after fewer changes (lost ones), and the changes' kinds.
      std::mt19937 again(seed);
      Model m = state;
      std::string kinds, matches;
      for (long i = 0; i <= noted + 1; ++i) {
        if (summary(m) == now) matches += " " + std::to_string(i);
        const Op op = planOp(again, m, today);
        kinds += "ACMDP"[op.kind];
        applyToModel(op, m);
      }
      ADD_FAILURE() << "round " << rounds << ": " << found.size() << " records, expected "
                    << expected.size() << " after " << noted << " noted changes " << kinds
                    << "; the state after changes:" << matches
                    << "; notes: " << ::testing::PrintToString(notes);
      test::copyFiles(
          work, dir.path().parent_path() / ("zrv-campaign-failure-" + std::to_string(::getpid())));
      (found.size() < expected.size() ? lost : extra)++;
    }
    const auto bad = must(test::mismatchedIndexes(*t));
    misindexed += static_cast<int>(bad.size());
    for (const std::string& n : notes) {
      if (n.find("neu aufgebaut") != std::string::npos) ++misindexed;
      if (n.find("beiseitegelegt") != std::string::npos) ++setAside;  // a kill is no damage
    }
    must(t->close());
    state = found;
    const fs::path snap = snapshots / std::to_string(rounds);
    fs::create_directories(snap);
    for (const char* f : {"ZORVANE.TER", "ZORVANE.DBT"})
      fs::copy_file(work / f, snap / f);
    writeExpected(found, snap / "expected.txt");
    if (HasFailure()) break;
  }
  const auto seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::cout << "crash campaign: " << kills << " kills in " << rounds << " rounds, " << committed
            << " committed changes, " << oneMore << " kills after a commit before its note, "
            << state.size() << " records at the end; lost " << lost << ", extra " << extra
            << ", mis-indexed " << misindexed << ", journals set aside " << setAside << "; "
            << seconds << " s\n";
  EXPECT_EQ(misindexed, 0);
  EXPECT_EQ(setAside, 0);
  EXPECT_GE(kills, wanted);
  const auto read = test::runPython("campaign_check.py", test::quoted(snapshots));
  EXPECT_EQ(read.exitCode, 0) << read.out;
  std::cout << read.out;
}

}  // namespace
}  // namespace zrv
