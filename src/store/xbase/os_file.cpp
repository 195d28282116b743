#include "store/xbase/os_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
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
      pending_(std::move(other.pending_)) {}

OsFile& OsFile::operator=(OsFile&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
    journal_ = std::exchange(other.journal_, nullptr);
    journalName_ = std::move(other.journalName_);
    pending_ = std::move(other.pending_);
  }
  return *this;
}

void OsFile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

Result<OsFile> OsFile::open(const std::filesystem::path& path, Access access) {
  const int flags = (access == Access::kRead ? O_RDONLY : O_RDWR) | O_CLOEXEC;
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

Result<std::size_t> OsFile::readAt(std::uint64_t offset, void* buf, std::size_t n) const {
  std::size_t done = 0;
  auto* out = static_cast<char*>(buf);
  while (done < n) {
    const ssize_t r = ::pread(fd_, out + done, n - done, static_cast<off_t>(offset + done));
    if (r < 0) {
      if (errno == EINTR) continue;
      return status::io(path_, "gelesen", errno);
    }
    if (r == 0) break;
    done += static_cast<std::size_t>(r);
  }
  if (pending_.empty()) return done;
  // Held-back writes lie over what the file holds; where they lie beyond its end, the gap up
  // to them reads as zeros (as a file written there would).
  const auto& last = *pending_.rbegin();
  const std::uint64_t heldEnd = last.first + last.second.size();
  std::size_t total = done;
  if (heldEnd > offset + done) {
    total = static_cast<std::size_t>(std::min<std::uint64_t>(n, heldEnd - offset));
    std::fill(out + done, out + total, '\0');
  }
  const std::uint64_t end = offset + total;
  auto it = pending_.upper_bound(offset);
  if (it != pending_.begin()) --it;
  for (; it != pending_.end() && it->first < end; ++it) {
    const std::uint64_t from = std::max(offset, it->first);
    const std::uint64_t to = std::min(end, it->first + it->second.size());
    if (from >= to) continue;
    std::copy_n(it->second.data() + (from - it->first), to - from, out + (from - offset));
  }
  return total;
}

void OsFile::hold(std::uint64_t offset, std::string_view bytes) {
  // The range that starts at or before `offset` and reaches it takes the bytes in place (so a
  // run of appends grows one string); otherwise they start a range of their own.
  auto it = pending_.upper_bound(offset);
  if (it != pending_.begin() && std::prev(it)->first + std::prev(it)->second.size() >= offset) {
    it = std::prev(it);
  } else {
    it = pending_.emplace_hint(it, offset, std::string());
  }
  std::string& held = it->second;
  const std::size_t at = static_cast<std::size_t>(offset - it->first);
  if (held.size() < at + bytes.size()) held.resize(at + bytes.size());
  std::copy(bytes.begin(), bytes.end(), held.begin() + static_cast<std::ptrdiff_t>(at));
  // Ranges after it that it now reaches are taken in; their bytes beyond its end stay.
  const std::uint64_t end = it->first + held.size();
  for (auto next = std::next(it); next != pending_.end() && next->first <= end;) {
    const std::uint64_t nextEnd = next->first + next->second.size();
    if (nextEnd > end) held.append(next->second, static_cast<std::size_t>(end - next->first));
    next = pending_.erase(next);
  }
}

Status OsFile::writeAt(std::uint64_t offset, const void* buf, std::size_t n) {
  if (journal_) {
    hold(offset, std::string_view(static_cast<const char*>(buf), n));
    return {};
  }
  return writeThrough(offset, buf, n);
}

Status OsFile::writeThrough(std::uint64_t offset, const void* buf, std::size_t n) {
  return fileOps().writeAt(fd_, path_, offset, buf, n);
}

Status OsFile::applyPending() {
  for (const auto& [offset, bytes] : pending_) {
    if (Status s = writeThrough(offset, bytes.data(), bytes.size()); !s) return s;
  }
  pending_.clear();
  return {};
}

Result<std::uint64_t> OsFile::size() const {
  struct stat st {};
  if (::fstat(fd_, &st) != 0) return status::io(path_, "gelesen", errno);
  std::uint64_t size = static_cast<std::uint64_t>(st.st_size);
  if (!pending_.empty()) {
    const auto& last = *pending_.rbegin();
    size = std::max<std::uint64_t>(size, last.first + last.second.size());
  }
  return size;
}

Status OsFile::truncate(std::uint64_t size) {
  if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) {
    return status::io(path_, "geschrieben", errno);
  }
  return {};
}

Status OsFile::sync() {
  return fileOps().syncData(fd_, path_);
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
