// A second process that holds the lock of one appointment record, as another workstation on a
// shared program directory would: it opens the table shared, locks the record and keeps the
// lock until the holder is destroyed.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>

namespace zrv::test {

class RecordLockHolder {
 public:
  // Returns once the other process holds the lock (or has failed to take it: see holding()).
  RecordLockHolder(const std::filesystem::path& base, std::uint32_t recno);
  ~RecordLockHolder();
  RecordLockHolder(const RecordLockHolder&) = delete;
  RecordLockHolder& operator=(const RecordLockHolder&) = delete;

  bool holding() const { return holding_; }

 private:
  pid_t pid_ = -1;
  int quitFd_ = -1;
  bool holding_ = false;
};

}  // namespace zrv::test
