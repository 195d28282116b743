// A file opened by the storage engine: one descriptor, positional reads and writes, the
// flock share mode, byte-range locks and syncing to disk. The only unit of the engine that
// talks to the operating system's file interface (writes and syncs go through the FileOps
// seam). Symbolic links are never followed. A file under a write-ahead journal keeps its writes
// in memory: pending until a commit puts them into the journal, then committed until a
// checkpoint writes them to the file; reads see both at once.
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

  // Opens an existing regular file. kMissing when it does not exist; a symbolic link is refused.
  static Result<OsFile> open(const std::filesystem::path& path, Access access);
  // Creates a new file (fails with kExists when it exists), mode 0644 less the umask.
  static Result<OsFile> create(const std::filesystem::path& path);

  bool isOpen() const { return fd_ >= 0; }
  const std::filesystem::path& path() const { return path_; }
  // After a rename of the file.
  void setPath(std::filesystem::path p) { path_ = std::move(p); }

  // Reads up to n bytes; fewer only at the end of the file. Returns the count read.
  Result<std::size_t> readAt(std::uint64_t offset, void* buf, std::size_t n) const;
  // Under a journal the bytes are held back (pending) until the journal commits them.
  Status writeAt(std::uint64_t offset, const void* buf, std::size_t n);
  // Writes to the file itself even under a journal (held-back bytes of the range follow it).
  Status writeThrough(std::uint64_t offset, const void* buf, std::size_t n);
  // Including held-back writes.
  Result<std::uint64_t> size() const;
  // Reserves the range in the file system (the file grows to cover it); a file system that
  // cannot reserve ahead is no error.
  Status allocate(std::uint64_t offset, std::uint64_t length);
  // Data to disk (fdatasync); nothing to do when nothing was written since the last sync.
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
  void journalTo(RedoJournal* journal, std::string name);
  bool journaled() const { return journal_ != nullptr; }
  const std::string& journalName() const { return journalName_; }

  // Writes held back in memory, by offset; overlapping ones merged, the later bytes winning.
  using Ranges = std::map<std::uint64_t, std::string>;
  // The pending writes that change the file as reads see it without them: the bytes that
  // differ (with short equal stretches between them) and everything beyond its end.
  Result<Ranges> pendingChanges() const;
  // The journal holds the pending changes: what was pending becomes committed.
  void commitPending();
  // Writes the committed bytes to the file (no sync) and forgets them.
  Status writeBack();
  void dropPending() { pending_.clear(); }

 private:
  Result<std::size_t> readLayers(std::uint64_t offset, void* buf, std::size_t n,
                                 bool withPending) const;
  Status writeFile(std::uint64_t offset, const void* buf, std::size_t n);
  int fd_ = -1;
  std::filesystem::path path_;
  RedoJournal* journal_ = nullptr;
  std::string journalName_;
  Ranges committed_;          // in the journal, not yet in the file
  Ranges pending_;            // not yet in the journal
  std::uint64_t stored_ = 0;  // under a journal: the size of the file itself
  bool unsynced_ = true;      // written since the last sync (or not known)
};

// Makes the changes of all `files` durable, one after the other.
Status syncFiles(const std::vector<OsFile*>& files);

}  // namespace zrv
