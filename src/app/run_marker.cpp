#include "app/run_marker.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "store/base/file_names.h"
#include "store/base/file_ops.h"

namespace zrv {

Result<RunMarker> RunMarker::take(const std::filesystem::path& folder) {
  const std::filesystem::path file = findFile(folder, "Zorvane.Run");
  std::error_code ec;
  const bool existed = std::filesystem::exists(file, ec);
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return status::io(file, "angelegt", errno);
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int e = errno;
    ::close(fd);
    if (e == EWOULDBLOCK) return status::lockedFile(file);
    return status::io(file, "gesperrt", e);
  }
  // A new marker is made durable at once: after a power failure the next start must find it
  // to check the table's indexes.
  if (!existed) {
    Status s = fileOps().syncData(fd, file);
    if (s) s = fileOps().syncDirectory(file.parent_path());
    if (!s) {
      ::close(fd);
      return s;
    }
  }
  return RunMarker(fd, existed);
}

RunMarker::RunMarker(RunMarker&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), stale_(other.stale_) {}

RunMarker& RunMarker::operator=(RunMarker&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    stale_ = other.stale_;
  }
  return *this;
}

RunMarker::~RunMarker() {
  if (fd_ >= 0) ::close(fd_);  // the lock goes with the descriptor
}

}  // namespace zrv
