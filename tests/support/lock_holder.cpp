#include "support/lock_holder.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "store/appointments/appointment_table.h"
#include "store/base/clock.h"
#include "store/xbase/table.h"

namespace zrv::test {
namespace {

// A table with the clock it keeps a reference to.
template <class T>
struct Held {
  Held(const std::string& date, const std::string& time) : clock(date, time) {}
  FixedClock clock;
  std::unique_ptr<T> table;
};

// The child's part: takes, answers '1' or '0', then waits until the parent closes the quit pipe.
[[noreturn]] void hold(const std::function<std::shared_ptr<void>()>& take, int readyFd,
                       int quitFd) {
  // Only the pipes stay: a descriptor of the parent's tables would carry its locks along.
  for (int fd = 3; fd < 1024; ++fd) {
    if (fd != readyFd && fd != quitFd) ::close(fd);
  }
  const std::shared_ptr<void> held = take();
  const char answer = held ? '1' : '0';
  (void)!::write(readyFd, &answer, 1);
  char c;
  while (::read(quitFd, &c, 1) > 0) {
  }
  ::_exit(0);
}

}  // namespace

LockHolder::LockHolder(const std::function<std::shared_ptr<void>()>& take) {
  int ready[2];
  int quit[2];
  if (::pipe(ready) != 0) return;
  if (::pipe(quit) != 0) {
    ::close(ready[0]);
    ::close(ready[1]);
    return;
  }
  pid_ = ::fork();
  if (pid_ == 0) hold(take, ready[1], quit[0]);
  ::close(ready[1]);
  ::close(quit[0]);
  quitFd_ = quit[1];
  char answer = '0';
  if (pid_ > 0 && ::read(ready[0], &answer, 1) == 1) holding_ = answer == '1';
  ::close(ready[0]);
}

LockHolder::~LockHolder() {
  if (quitFd_ >= 0) ::close(quitFd_);
  if (pid_ > 0) {
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
}

TableHolder::TableHolder(const std::filesystem::path& base)
    : LockHolder([base]() -> std::shared_ptr<void> {
        auto held = std::make_shared<Held<Table>>("10.06.2024", "09:30:00");
        Table::Options options;
        options.mode = OpenMode::kExclusive;
        auto table = Table::open(appointmentTableFile(base), held->clock, options);
        if (!table) return nullptr;
        held->table = std::move(*table);
        return held;
      }) {}

TableFileHolder::TableFileHolder(const std::filesystem::path& file)
    : LockHolder([file]() -> std::shared_ptr<void> {
        auto held = std::make_shared<Held<Table>>("10.06.2024", "09:30:00");
        auto table = Table::open(file, held->clock, {OpenMode::kExclusive, "", {}});
        if (!table) return nullptr;
        held->table = std::move(*table);
        return held;
      }) {}

RecordLockHolder::RecordLockHolder(const std::filesystem::path& base, std::uint32_t recno)
    : LockHolder([base, recno]() -> std::shared_ptr<void> {
        auto held = std::make_shared<Held<AppointmentTable>>("01.01.2024", "00:00:00");
        AppointmentTable::Options options;
        options.mode = OpenMode::kShared;
        auto table = AppointmentTable::open(base, held->clock, options);
        Status s = table.status();
        if (s) s = (*table)->goTo(recno);
        if (s) s = (*table)->lockRecord();
        if (!s) {
          std::fprintf(stderr, "RecordLockHolder: %s\n", s.message().c_str());
          return nullptr;
        }
        held->table = std::move(*table);
        return held;
      }) {}

}  // namespace zrv::test
