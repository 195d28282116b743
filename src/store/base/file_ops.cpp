#include "store/base/file_ops.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "store/base/file_io.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

FileOps& systemOps() {
  static FileOps ops;
  return ops;
}

FileOps* current = nullptr;

}  // namespace

bool FileOps::exists(const fs::path& file) {
  std::error_code ec;
  return fs::exists(file, ec);
}

Result<std::string> FileOps::readFile(const fs::path& file) {
  errno = 0;
  auto bytes = readWholeFile(file);
  if (!bytes) return status::io(file, "gelesen", errno ? errno : EIO);
  return std::move(*bytes);
}

Status FileOps::writeFile(const fs::path& file, std::string_view bytes) {
  errno = 0;
  if (replaceFileAtomically(file, bytes)) return {};
  return status::io(file, "geschrieben", errno ? errno : EIO);
}

Status FileOps::rename(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  if (ec) return status::io(to, "ersetzt", ec.value());
  return {};
}

Status FileOps::remove(const fs::path& file) {
  std::error_code ec;
  fs::remove(file, ec);
  if (ec) return status::io(file, "gelöscht", ec.value());
  return {};
}

Status FileOps::syncDirectory(const fs::path& dir) {
  const fs::path d = dir.empty() ? fs::path(".") : dir;
  const int fd = ::open(d.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return status::io(d, "gesichert", errno);
  const int rc = ::fsync(fd);
  const int e = errno;
  ::close(fd);
  if (rc != 0) return status::io(d, "gesichert", e);
  return {};
}

Status FileOps::writeAt(int fd, const fs::path& file, std::uint64_t offset, const void* bytes,
                        std::size_t n) {
  std::size_t done = 0;
  const auto* in = static_cast<const char*>(bytes);
  while (done < n) {
    const ssize_t r = ::pwrite(fd, in + done, n - done, static_cast<off_t>(offset + done));
    if (r < 0) {
      if (errno == EINTR) continue;
      return status::io(file, "geschrieben", errno);
    }
    done += static_cast<std::size_t>(r);
  }
  return {};
}

Status FileOps::syncData(int fd, const fs::path& file) {
  if (::fdatasync(fd) != 0) return status::io(file, "gesichert", errno);
  return {};
}

Status FileOps::allocate(int fd, const fs::path& file, std::uint64_t offset, std::uint64_t length) {
  int rc;
  do {
    rc = ::fallocate(fd, 0, static_cast<off_t>(offset), static_cast<off_t>(length));
  } while (rc != 0 && errno == EINTR);
  if (rc == 0 || errno == EOPNOTSUPP || errno == ENOSYS) return {};
  return status::io(file, "angelegt", errno);
}

FileOps& fileOps() {
  return current ? *current : systemOps();
}

FileOpsOverride::FileOpsOverride(FileOps& ops) : previous_(current) {
  current = &ops;
}

FileOpsOverride::~FileOpsOverride() {
  current = previous_;
}

}  // namespace zrv
