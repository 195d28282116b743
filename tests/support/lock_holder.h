// A second process that holds an appointment table as another program or workstation on a shared
// program directory would: it takes what it holds (the table open exclusively, or one record's
// lock) and keeps it until the holder is destroyed.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

namespace zrv::test {

class LockHolder {
 public:
  ~LockHolder();
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;

  // Whether the other process holds what it was to take.
  bool holding() const { return holding_; }

 protected:
  // Runs `take` in a new process and returns once it has answered: what it returns is held
  // until the holder is destroyed; null when it could not take it.
  explicit LockHolder(const std::function<std::shared_ptr<void>()>& take);

 private:
  pid_t pid_ = -1;
  int quitFd_ = -1;
  bool holding_ = false;
};

// The table `base` (path without extension) open exclusively.
class TableHolder : public LockHolder {
 public:
  explicit TableHolder(const std::filesystem::path& base);
};

// The table file `file` (any table, e.g. USERLIST.DBF) open exclusively.
class TableFileHolder : public LockHolder {
 public:
  explicit TableFileHolder(const std::filesystem::path& file);
};

// The table `base` open shared with record `recno` locked.
class RecordLockHolder : public LockHolder {
 public:
  RecordLockHolder(const std::filesystem::path& base, std::uint32_t recno);
};

}  // namespace zrv::test
