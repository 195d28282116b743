#include "store/xbase/os_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <iterator>
#include <thread>
#include <utility>

#include "store/base/file_ops.h"

namespace zrv {

OsFile::~OsFile() {
  close();
}

OsFile::OsFile(OsFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      path_(std::move(other.path_)),
      journal_(std::exchange(other.journal_, nullptr)),
      journalName_(std::move(other.journalName_)),
      committed_(std::move(other.committed_)),
      pending_(std::move(other.pending_)),
      stored_(other.stored_),
      unsynced_(other.unsynced_) {}

OsFile& OsFile::operator=(OsFile&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
    journal_ = std::exchange(other.journal_, nullptr);
    journalName_ = std::move(other.journalName_);
    committed_ = std::move(other.committed_);
    pending_ = std::move(other.pending_);
    stored_ = other.stored_;
    unsynced_ = other.unsynced_;
  }
  return *this;
}

void OsFile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

Result<OsFile> OsFile::open(const std::filesystem::path& path, Access access) {
  const int flags = (access == Access::kRead ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NOFOLLOW;
  const int fd = ::open(path.c_str(), flags);
  if (fd < 0) {
    if (errno == ENOENT) return status::missing(path);
    return status::io(path, "geöffnet", errno);
  }
  struct stat st {};
  if (::fstat(fd, &st) == 0 && !S_ISREG(st.st_mode)) {
    ::close(fd);
    return status::io(path, "geöffnet", EISDIR);
  }
  OsFile f;
  f.fd_ = fd;
  f.path_ = path;
  return f;
}

Result<OsFile> OsFile::create(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    if (errno == EEXIST) return status::exists(path);
    return status::io(path, "angelegt", errno);
  }
  OsFile f;
  f.fd_ = fd;
  f.path_ = path;
  return f;
}

namespace {

// Puts `bytes` at `offset` into `ranges`: the range that starts at or before `offset` and
// reaches it takes the bytes in place (so a run of appends grows one string); otherwise they
// start a range of their own. Ranges after it that it now reaches are taken in; their bytes
// beyond its end stay.
void hold(OsFile::Ranges& ranges, std::uint64_t offset, std::string_view bytes) {
  auto it = ranges.upper_bound(offset);
  if (it != ranges.begin() && std::prev(it)->first + std::prev(it)->second.size() >= offset) {
    it = std::prev(it);
  } else {
    it = ranges.emplace_hint(it, offset, std::string());
  }
  std::string& held = it->second;
  const std::size_t at = static_cast<std::size_t>(offset - it->first);
  if (held.size() < at + bytes.size()) held.resize(at + bytes.size());
  std::copy(bytes.begin(), bytes.end(), held.begin() + static_cast<std::ptrdiff_t>(at));
  const std::uint64_t end = it->first + held.size();
  for (auto next = std::next(it); next != ranges.end() && next->first <= end;) {
    const std::uint64_t nextEnd = next->first + next->second.size();
    if (nextEnd > end) held.append(next->second, static_cast<std::size_t>(end - next->first));
    next = ranges.erase(next);
  }
}

std::uint64_t endOf(const OsFile::Ranges& ranges) {
  if (ranges.empty()) return 0;
  const auto& last = *ranges.rbegin();
  return last.first + last.second.size();
}

// Copies what `ranges` hold of [offset, offset + n) into `out`.
void overlay(const OsFile::Ranges& ranges, std::uint64_t offset, std::size_t n, char* out) {
  const std::uint64_t end = offset + n;
  auto it = ranges.upper_bound(offset);
  if (it != ranges.begin()) --it;
  for (; it != ranges.end() && it->first < end; ++it) {
    const std::uint64_t from = std::max(offset, it->first);
    const std::uint64_t to = std::min(end, it->first + it->second.size());
    if (from >= to) continue;
    std::copy_n(it->second.data() + (from - it->first), to - from, out + (from - offset));
  }
}

// Whether one range of `ranges` holds all of [offset, offset + n).
bool covers(const OsFile::Ranges& ranges, std::uint64_t offset, std::size_t n) {
  auto it = ranges.upper_bound(offset);
  if (it == ranges.begin()) return false;
  --it;
  return it->first + it->second.size() >= offset + n;
}

// Equal bytes between two changes shorter than this travel with them: a write of its own
// costs its name and place in the journal.
constexpr std::size_t kJoinGap = 32;

// The first place from `i` on, before `end`, where `a` and `b` differ; `end` when none.
std::size_t firstDifference(const char* a, const char* b, std::size_t i, std::size_t end) {
  for (; i + 8 <= end; i += 8) {
    std::uint64_t x, y;
    std::memcpy(&x, a + i, 8);
    std::memcpy(&y, b + i, 8);
    if (x != y) break;
  }
  while (i < end && a[i] == b[i])
    ++i;
  return i;
}

}  // namespace

Result<std::size_t> OsFile::readAt(std::uint64_t offset, void* buf, std::size_t n) const {
  return readLayers(offset, buf, n, true);
}

// The file's bytes with the committed writes over them and, with `withPending`, the pending ones
// over those. Where held-back writes lie beyond the file's end, the gap up to them reads as
// zeros (as a file written there would).
Result<std::size_t> OsFile::readLayers(std::uint64_t offset, void* buf, std::size_t n,
                                       bool withPending) const {
  auto* out = static_cast<char*>(buf);
  std::size_t done = 0;
  // Under a journal nobody else writes the file: what lies beyond its end or in one range held
  // in memory needs no read.
  const bool held = journal_ && (offset >= stored_ || covers(committed_, offset, n) ||
                                 (withPending && covers(pending_, offset, n)));
  while (!held && done < n) {
    const ssize_t r = ::pread(fd_, out + done, n - done, static_cast<off_t>(offset + done));
    if (r < 0) {
      if (errno == EINTR) continue;
      return status::io(path_, "gelesen", errno);
    }
    if (r == 0) break;
    done += static_cast<std::size_t>(r);
  }
  const std::uint64_t heldEnd = std::max(endOf(committed_), withPending ? endOf(pending_) : 0);
  std::size_t total = done;
  if (heldEnd > offset + done) {
    total = static_cast<std::size_t>(std::min<std::uint64_t>(n, heldEnd - offset));
    std::fill(out + done, out + total, '\0');
  }
  overlay(committed_, offset, total, out);
  if (withPending) overlay(pending_, offset, total, out);
  return total;
}

Status OsFile::writeAt(std::uint64_t offset, const void* buf, std::size_t n) {
  if (journal_) {
    hold(pending_, offset, std::string_view(static_cast<const char*>(buf), n));
    return {};
  }
  return writeThrough(offset, buf, n);
}

Status OsFile::writeThrough(std::uint64_t offset, const void* buf, std::size_t n) {
  if (Status s = writeFile(offset, buf, n); !s) return s;
  // Bytes held back for this range would otherwise bring the old content back later.
  const std::string_view bytes(static_cast<const char*>(buf), n);
  for (Ranges* ranges : {&committed_, &pending_}) {
    auto it = ranges->upper_bound(offset);
    if (it != ranges->begin()) --it;
    for (; it != ranges->end() && it->first < offset + n; ++it) {
      const std::uint64_t from = std::max(offset, it->first);
      const std::uint64_t to = std::min(offset + n, it->first + it->second.size());
      if (from < to) {
        std::copy_n(bytes.data() + (from - offset), to - from,
                    it->second.begin() + static_cast<std::ptrdiff_t>(from - it->first));
      }
    }
  }
  return {};
}

Result<OsFile::Ranges> OsFile::pendingChanges() const {
  Ranges changes;
  std::string base;
  for (const auto& [offset, bytes] : pending_) {
    base.resize(bytes.size());
    auto got = readLayers(offset, base.data(), base.size(), false);
    if (!got) return got.status();
    const std::size_t known = *got;  // beyond it the file ends: every byte is a change
    const std::size_t size = bytes.size();
    for (std::size_t i = firstDifference(bytes.data(), base.data(), 0, known); i < size;
         i = firstDifference(bytes.data(), base.data(), i, known)) {
      std::size_t end = i + 1;
      while (end < size) {
        if (end >= known) {
          end = size;
          break;
        }
        const std::size_t next =
            firstDifference(bytes.data(), base.data(), end, std::min(known, end + kJoinGap));
        if (next == end + kJoinGap) break;
        end = next == known ? known : next + 1;
      }
      changes.emplace(offset + i, bytes.substr(i, end - i));
      i = end;
    }
  }
  return changes;
}

void OsFile::commitPending() {
  // Whole ranges, not only their changes: reads and the next commit's comparison then find the
  // bytes in memory.
  for (const auto& [offset, bytes] : pending_)
    hold(committed_, offset, bytes);
  pending_.clear();
}

Status OsFile::writeBack() {
  for (const auto& [offset, bytes] : committed_) {
    if (Status s = writeFile(offset, bytes.data(), bytes.size()); !s) return s;
  }
  committed_.clear();
  return {};
}

Status OsFile::writeFile(std::uint64_t offset, const void* buf, std::size_t n) {
  unsynced_ = true;
  if (Status s = fileOps().writeAt(fd_, path_, offset, buf, n); !s) return s;
  stored_ = std::max<std::uint64_t>(stored_, offset + n);
  return {};
}

Result<std::uint64_t> OsFile::size() const {
  struct stat st {};
  if (::fstat(fd_, &st) != 0) return status::io(path_, "gelesen", errno);
  return std::max({static_cast<std::uint64_t>(st.st_size), endOf(committed_), endOf(pending_)});
}

Status OsFile::allocate(std::uint64_t offset, std::uint64_t length) {
  unsynced_ = true;
  if (Status s = fileOps().allocate(fd_, path_, offset, length); !s) return s;
  stored_ = std::max<std::uint64_t>(stored_, offset + length);
  return {};
}

void OsFile::journalTo(RedoJournal* journal, std::string name) {
  journal_ = journal;
  journalName_ = std::move(name);
  struct stat st {};
  stored_ = ::fstat(fd_, &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : ~0ull;
}

Status OsFile::sync() {
  if (!unsynced_) return {};
  if (Status s = fileOps().syncData(fd_, path_); !s) return s;
  unsynced_ = false;
  return {};
}

Status OsFile::shareLock(bool exclusive) {
  if (::flock(fd_, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0) return {};
  if (errno == EWOULDBLOCK) return status::lockedFile(path_);
  return status::io(path_, "gesperrt", errno);
}

namespace {

int setRangeLock(int fd, short type, long long start, long long length) {
  struct flock fl {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = static_cast<off_t>(start);
  fl.l_len = static_cast<off_t>(length);
#ifdef F_OFD_SETLK
  if (::fcntl(fd, F_OFD_SETLK, &fl) == 0) return 0;
  if (errno != EINVAL) return -1;
#endif
  return ::fcntl(fd, F_SETLK, &fl);
}

}  // namespace

Status OsFile::rangeLock(long long start, long long length, bool exclusive, int patienceMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMs);
  for (;;) {
    if (setRangeLock(fd_, exclusive ? F_WRLCK : F_RDLCK, start, length) == 0) return {};
    if (errno != EAGAIN && errno != EACCES) return status::io(path_, "gesperrt", errno);
    if (std::chrono::steady_clock::now() >= deadline) return status::lockedFile(path_);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

void OsFile::rangeUnlock(long long start, long long length) {
  setRangeLock(fd_, F_UNLCK, start, length);
}

Status syncFiles(const std::vector<OsFile*>& files) {
  for (OsFile* f : files) {
    if (Status s = f->sync(); !s) return s;
  }
  return {};
}

}  // namespace zrv
