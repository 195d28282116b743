#include "store/base/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <system_error>

#include "store/base/file_ops.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

// Closes a POSIX descriptor when it goes out of scope.
class UniqueFd {
 public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// A name beside `target` that no other writer (thread, process or machine) uses at the same
// time.
fs::path temporaryBeside(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  fs::path tmp = target;
  tmp +=
      ".~" + temporaryHost() + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
  return tmp;
}

bool allDigits(std::string_view t) {
  return !t.empty() && t.size() < 10 && t.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

const std::string& temporaryHost() {
  static const std::string host = [] {
    char name[256] = {};
    std::string h;
    if (::gethostname(name, sizeof name - 1) == 0) h = name;
    for (char& c : h) {
      const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                         (c >= '0' && c <= '9') || c == '.' || c == '_';
      if (!plain) c = '_';
    }
    return h.empty() ? std::string("localhost") : h;
  }();
  return host;
}

std::optional<TemporaryOwner> temporaryOwner(std::string_view name) {
  const auto mark = name.rfind(".~");
  if (mark == std::string_view::npos) return std::nullopt;
  std::string_view rest = name.substr(mark + 2);
  const auto countDash = rest.rfind('-');
  if (countDash == std::string_view::npos || !allDigits(rest.substr(countDash + 1))) {
    return std::nullopt;
  }
  rest = rest.substr(0, countDash);
  const auto pidDash = rest.rfind('-');
  if (pidDash == std::string_view::npos || pidDash == 0) return std::nullopt;
  const std::string_view pid = rest.substr(pidDash + 1);
  if (!allDigits(pid)) return std::nullopt;
  return TemporaryOwner{std::string(rest.substr(0, pidDash)), std::stol(std::string(pid))};
}

std::optional<std::string> readWholeFile(const fs::path& p) {
  UniqueFile f = openFile(p, "rb");
  if (!f) return std::nullopt;
  std::string bytes;
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0)
    bytes.append(buf, n);
  if (std::ferror(f.get())) return std::nullopt;
  return bytes;
}

bool syncFile(std::FILE* f) {
  return std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
}

bool replaceFileAtomically(const fs::path& requested, std::string_view bytes, unsigned newFileMode,
                           unsigned modeMask) {
  std::error_code ec;
  fs::path target = requested;
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }
  struct stat st {};
  const bool existed = ::stat(target.c_str(), &st) == 0;
  const fs::path tmp = temporaryBeside(target);
  UniqueFd fd(::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                     static_cast<mode_t>(existed ? 0600 : newFileMode & modeMask)));
  if (fd.get() < 0) return false;
  bool ok = writeAll(fd.get(), bytes);
  if (ok && existed) ok = ::fchmod(fd.get(), st.st_mode & 07777 & modeMask) == 0;
  ok = ok && ::fsync(fd.get()) == 0;
  ok = fd.close() && ok;
  int cause = ok ? 0 : errno;
  if (ok) {
    fs::rename(tmp, target, ec);
    ok = !ec;
    cause = ec.value();
  }
  if (!ok) {
    fs::remove(tmp, ec);
    errno = cause;  // the caller reports the real cause
    return false;
  }
  // Until the directory is synced the rename may be lost with a crash: a failure to sync is a
  // failure of the replacement.
  if (!fileOps().syncDirectory(target.parent_path())) {
    errno = EIO;
    return false;
  }
  return true;
}

bool replaceFileIfChanged(const fs::path& target, std::string_view bytes, unsigned newFileMode,
                          unsigned modeMask) {
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
      static_cast<std::size_t>(st.st_size) == bytes.size()) {
    const auto current = readWholeFile(target);
    if (current && *current == bytes) {
      const mode_t mode = st.st_mode & 07777;
      return (mode & ~modeMask) == 0 || ::chmod(target.c_str(), mode & modeMask) == 0;
    }
  }
  return replaceFileAtomically(target, bytes, newFileMode, modeMask);
}

bool copyFileAtomically(const fs::path& from, const fs::path& to, unsigned newFileMode,
                        unsigned modeMask) {
  const auto bytes = readWholeFile(from);
  return bytes && replaceFileIfChanged(to, *bytes, newFileMode, modeMask);
}

bool createPrivateDirectories(const fs::path& dir) {
  std::error_code ec;
  if (dir.empty() || fs::is_directory(dir, ec)) return true;
  if (!createPrivateDirectories(dir.parent_path())) return false;
  return ::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace zrv
