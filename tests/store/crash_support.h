// Crashes on purpose for the store's tests: file operations that kill the process in the middle
// of a chosen write (optionally dropping every write not yet synced first, as a power failure
// would), and the appointment table's state as the program's own code reads it.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "store/appointments/appointment_table.h"
#include "store/base/file_io.h"
#include "store/base/file_ops.h"

namespace zrv::test {

class CrashFileOps : public FileOps {
 public:
  // From now on writes are counted; the `killAt`-th one (1-based; 0: none) is torn: half of it
  // is written, then the process dies by SIGKILL. With `powerLoss`, every file first falls
  // back to what its last sync made durable.
  void arm(long killAt, bool powerLoss) {
    killAt_ = killAt;
    powerLoss_ = powerLoss;
    writes_ = 0;
  }
  // Tracks what is durable from now on (files as they are count as durable).
  void trackDurability() { tracking_ = true; }
  long writes() const { return writes_; }

  Status writeAt(int fd, const std::filesystem::path& file, std::uint64_t offset, const void* bytes,
                 std::size_t n) override {
    if (tracking_ && !durable_.count(file)) {
      durable_[file] = readWholeFile(file).value_or(std::string());
    }
    if (killAt_ > 0 && ++writes_ == killAt_) {
      (void)FileOps::writeAt(fd, file, offset, bytes, n / 2);
      die();
    }
    if (killAt_ <= 0) ++writes_;
    return FileOps::writeAt(fd, file, offset, bytes, n);
  }
  // Replacing, renaming and removing files are kill points as well (killed before them).
  Status writeFile(const std::filesystem::path& file, std::string_view bytes) override {
    killPoint();
    return FileOps::writeFile(file, bytes);
  }
  Status rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    killPoint();
    return FileOps::rename(from, to);
  }
  Status remove(const std::filesystem::path& file) override {
    killPoint();
    return FileOps::remove(file);
  }
  // Reserving space is a kill point as well; what it adds is not durable before a sync.
  Status allocate(int fd, const std::filesystem::path& file, std::uint64_t offset,
                  std::uint64_t length) override {
    if (tracking_ && !durable_.count(file)) {
      durable_[file] = readWholeFile(file).value_or(std::string());
    }
    killPoint();
    return FileOps::allocate(fd, file, offset, length);
  }
  Status syncData(int fd, const std::filesystem::path& file) override {
    durable_.erase(file);
    return FileOps::syncData(fd, file);
  }

 private:
  void killPoint() {
    if (killAt_ > 0 && ++writes_ == killAt_) die();
    if (killAt_ <= 0) ++writes_;
  }
  [[noreturn]] void die() {
    if (powerLoss_) {
      for (const auto& [file, bytes] : durable_) {
        const int fd = ::open(file.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (fd < 0) continue;
        (void)!::write(fd, bytes.data(), bytes.size());
        ::close(fd);
      }
    }
    ::raise(SIGKILL);
    ::_exit(99);
  }

  long killAt_ = 0;
  bool powerLoss_ = false;
  bool tracking_ = false;
  long writes_ = 0;
  std::map<std::filesystem::path, std::string> durable_;  // content before the first unsynced write
};

// One record as the tests compare it.
struct RecordState {
  std::uint32_t recno = 0;
  bool deleted = false;
  Appointment a;
  friend bool operator==(const RecordState&, const RecordState&) = default;
};

// Every record of the table (deleted ones too) in record-number order.
inline Result<std::vector<RecordState>> tableState(AppointmentTable& t) {
  std::vector<RecordState> out;
  for (std::uint32_t r = 1; r <= t.table().recCount(); ++r) {
    RecordState s;
    s.recno = r;
    auto a = t.readAt(r, &s.deleted);
    if (!a) return a.status();
    s.a = std::move(*a);
    out.push_back(std::move(s));
  }
  return out;
}

// The orders whose index does not hold exactly the keys of the records (empty: all match).
inline Result<std::vector<int>> mismatchedIndexes(AppointmentTable& t) {
  std::vector<int> bad;
  for (int order = 1; order <= t.table().orderCount(); ++order) {
    auto ok = t.table().indexMatches(order);
    if (!ok) return ok.status();
    if (!*ok) bad.push_back(order);
  }
  return bad;
}

inline void copyFiles(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::filesystem::remove_all(to);
  std::filesystem::create_directories(to);
  for (const auto& e : std::filesystem::directory_iterator(from))
    std::filesystem::copy_file(e.path(), to / e.path().filename());
}

}  // namespace zrv::test
