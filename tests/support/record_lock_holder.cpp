#include "support/record_lock_holder.h"

#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>

#include "store/appointments/appointment_table.h"
#include "store/base/clock.h"

namespace zrv::test {
namespace {

// Runs in the child: opens, locks, reports '1' (or '0'), then waits for the parent to close
// the quit pipe. Never returns.
[[noreturn]] void holdLock(const std::filesystem::path& base, std::uint32_t recno, int readyFd,
                           int quitFd) {
  const FixedClock clock("01.01.2024", "00:00:00");
  AppointmentTable::Options options;
  options.mode = OpenMode::kShared;
  auto table = AppointmentTable::open(base, clock, options);
  Status s = table.status();
  if (s) s = (*table)->goTo(recno);
  if (s) s = (*table)->lockRecord();
  if (!s) std::fprintf(stderr, "RecordLockHolder: %s\n", s.message().c_str());
  const bool locked = s.isOk();
  const char answer = locked ? '1' : '0';
  (void)!::write(readyFd, &answer, 1);
  char c;
  while (::read(quitFd, &c, 1) > 0) {
  }
  ::_exit(0);
}

}  // namespace

RecordLockHolder::RecordLockHolder(const std::filesystem::path& base, std::uint32_t recno) {
  int ready[2];
  int quit[2];
  if (::pipe(ready) != 0) return;
  if (::pipe(quit) != 0) {
    ::close(ready[0]);
    ::close(ready[1]);
    return;
  }
  pid_ = ::fork();
  if (pid_ == 0) {
    ::close(ready[0]);
    ::close(quit[1]);
    holdLock(base, recno, ready[1], quit[0]);
  }
  ::close(ready[1]);
  ::close(quit[0]);
  quitFd_ = quit[1];
  char answer = '0';
  if (pid_ > 0 && ::read(ready[0], &answer, 1) == 1) holding_ = answer == '1';
  ::close(ready[0]);
}

RecordLockHolder::~RecordLockHolder() {
  if (quitFd_ >= 0) ::close(quitFd_);
  if (pid_ > 0) {
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
}

}  // namespace zrv::test
