// A file opened by the storage engine: one descriptor, positional reads and writes, the
// flock share mode, byte-range locks and syncing to disk. The only unit of the engine that
// talks to the operating system's file interface (writes and syncs go through the FileOps
// seam). A file under a write-ahead journal keeps its writes in memory until the journal
// holds them; reads see them at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "store/base/status.h"

namespace zrv {

class RedoJournal;

class OsFile {
 public:
  enum class Access { kRead, kReadWrite };

  OsFile() = default;
  ~OsFile();
  OsFile(OsFile&& other) noexcept;
  OsFile& operator=(OsFile&& other) noexcept;
  OsFile(const OsFile&) = delete;
  OsFile& operator=(const OsFile&) = delete;

  // Opens an existing file. kMissing when it does not exist.
  static Result<OsFile> open(const std::filesystem::path& path, Access access);
  // Creates a new file (fails with kExists when it exists), mode 0644 less the umask.
  static Result<OsFile> create(const std::filesystem::path& path);

  bool isOpen() const { return fd_ >= 0; }
  const std::filesystem::path& path() const { return path_; }
  // After a rename of the file.
  void setPath(std::filesystem::path p) { path_ = std::move(p); }

  // Reads up to n bytes; fewer only at the end of the file. Returns the count read.
  Result<std::size_t> readAt(std::uint64_t offset, void* buf, std::size_t n) const;
  // Under a journal the bytes are held back (pending) until applyPending().
  Status writeAt(std::uint64_t offset, const void* buf, std::size_t n);
  // Writes to the file itself even under a journal.
  Status writeThrough(std::uint64_t offset, const void* buf, std::size_t n);
  // Including pending writes.
  Result<std::uint64_t> size() const;
  Status truncate(std::uint64_t size);
  // Data to disk (fdatasync).
  Status sync();

  // The share mode of the whole file (flock, never waits): kLocked when it conflicts.
  Status shareLock(bool exclusive);
  // Byte-range lock (open-file-description lock): kLocked when another holder conflicts.
  // Locks of one OsFile never conflict with each other. Without `patienceMs` it never waits;
  // with it, it tries again for at most that long (for the locks other programs hold only
  // for the moment of a change: append, memo, index).
  Status rangeLock(long long start, long long length, bool exclusive, int patienceMs = 0);
  void rangeUnlock(long long start, long long length);

  void close();

  // From now on writes are held back for `journal`, which knows the file as `name` (relative
  // to the table's directory). Null writes through again (pending writes stay pending).
  void journalTo(RedoJournal* journal, std::string name) {
    journal_ = journal;
    journalName_ = std::move(name);
  }
  bool journaled() const { return journal_ != nullptr; }
  const std::string& journalName() const { return journalName_; }

  // The writes held back, by offset; overlapping ones merged, the later bytes winning.
  const std::map<std::uint64_t, std::string>& pending() const { return pending_; }
  // Writes the held-back bytes to the file (no sync) and forgets them.
  Status applyPending();
  void dropPending() { pending_.clear(); }

 private:
  void hold(std::uint64_t offset, std::string_view bytes);
  int fd_ = -1;
  std::filesystem::path path_;
  RedoJournal* journal_ = nullptr;
  std::string journalName_;
  std::map<std::uint64_t, std::string> pending_;
};

// Makes the changes of all `files` durable, one after the other.
Status syncFiles(const std::vector<OsFile*>& files);

}  // namespace zrv
