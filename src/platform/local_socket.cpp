#include "platform/local_socket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zrv {
namespace fs = std::filesystem;
namespace {

constexpr int kMaxConnections = 16;
constexpr auto kRequestWait = std::chrono::seconds(5);
constexpr std::size_t kMaxRequest = 64 * 1024;

// FNV-1a of the program directory's canonical path: the socket's name stays short.
std::string directoryKey(const fs::path& programDir) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(programDir, ec);
  if (ec) p = programDir;
  std::string s = p.string();
  while (s.size() > 1 && s.back() == '/')
    s.pop_back();
  std::uint64_t h = 1469598103934665603ULL;
  for (const char c : s) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ULL;
  }
  char buf[20];
  std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
  return buf;
}

bool addressOf(const fs::path& socket, sockaddr_un& addr) {
  std::memset(&addr, 0, sizeof addr);
  addr.sun_family = AF_UNIX;
  const std::string s = socket.string();
  if (s.size() >= sizeof addr.sun_path) return false;
  std::memcpy(addr.sun_path, s.c_str(), s.size() + 1);
  return true;
}

class FdChannel : public LineChannel {
 public:
  explicit FdChannel(int fd) : fd_(fd) {}
  ~FdChannel() override { ::close(fd_); }

  bool sendLine(std::string_view line) override {
    while (!line.empty()) {
      const ssize_t n = ::send(fd_, line.data(), line.size(), MSG_NOSIGNAL);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      line.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
  }

  std::optional<std::string> receiveLine(std::chrono::milliseconds timeout,
                                         std::size_t maxBytes) override {
    const auto until = std::chrono::steady_clock::now() + timeout;
    for (;;) {
      if (const auto nl = buffer_.find('\n'); nl != std::string::npos) {
        std::string line = buffer_.substr(0, nl);
        buffer_.erase(0, nl + 1);
        return line;
      }
      if (buffer_.size() > maxBytes) return std::nullopt;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          until - std::chrono::steady_clock::now());
      if (left.count() <= 0) return std::nullopt;
      pollfd p{fd_, POLLIN, 0};
      const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
      if (ready < 0 && errno == EINTR) continue;
      if (ready <= 0) return std::nullopt;
      char chunk[65536];
      const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return std::nullopt;
      buffer_.append(chunk, static_cast<std::size_t>(n));
    }
  }

 private:
  int fd_;
  std::string buffer_;
};

}  // namespace

fs::path localSocketPath(const fs::path& programDir, const std::string& runtimeDir) {
  fs::path dir = runtimeDir;
  if (runtimeDir.empty()) {
    dir = fs::path("/tmp") / ("zorvane-" + std::to_string(::geteuid()));
    ::mkdir(dir.c_str(), 0700);
  }
  return dir / ("zorvane-" + directoryKey(programDir) + ".sock");
}

std::unique_ptr<LineChannel> connectLocalSocket(const fs::path& socket, std::string& why) {
  sockaddr_un addr;
  if (!addressOf(socket, addr)) {
    why = "Der Name des Sockets ist zu lang: " + socket.string();
    return nullptr;
  }
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    why = std::strerror(errno);
    return nullptr;
  }
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
    why = std::strerror(errno);
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<FdChannel>(fd);
}

LocalSocketServer::LocalSocketServer(fs::path socket, Handler handler, Note note, uid_t allowedUid)
    : path_(std::move(socket)),
      handler_(std::move(handler)),
      note_(std::move(note)),
      allowedUid_(allowedUid) {}

LocalSocketServer::~LocalSocketServer() {
  stop();
}

bool LocalSocketServer::start() {
  sockaddr_un addr;
  if (!addressOf(path_, addr)) {
    note_("Befehlszeile nicht erreichbar: der Name des Sockets ist zu lang");
    return false;
  }
  // A socket file that nobody answers on was left by a run that ended without removing it.
  std::string why;
  if (connectLocalSocket(path_, why)) {
    note_("Befehlszeile: ein anderes Programm hört schon auf " + path_.string());
    return false;
  }
  ::unlink(path_.c_str());
  listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  // Made with no access for anyone, then opened to the user alone: no moment in which another
  // user could connect.
  const mode_t old = ::umask(0177);
  const bool bound = listenFd_ >= 0 &&
                     ::bind(listenFd_, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
  ::umask(old);
  if (!bound || ::chmod(path_.c_str(), 0600) != 0 || ::listen(listenFd_, kMaxConnections) != 0) {
    note_("Befehlszeile nicht erreichbar: " + path_.string() + ": " + std::strerror(errno));
    if (listenFd_ >= 0) ::close(listenFd_);
    listenFd_ = -1;
    return false;
  }
  acceptor_ = std::thread([this] { acceptLoop(); });
  return true;
}

void LocalSocketServer::stop() {
  if (listenFd_ < 0) return;
  stopping_ = true;
  ::shutdown(listenFd_, SHUT_RDWR);
  if (acceptor_.joinable()) acceptor_.join();
  ::close(listenFd_);
  listenFd_ = -1;
  std::list<std::thread> connections;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    connections.swap(connections_);
  }
  for (std::thread& t : connections)
    t.join();
  ::unlink(path_.c_str());
}

void LocalSocketServer::acceptLoop() {
  while (!stopping_) {
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      return;  // stopped (shutdown) or broken
    }
    ucred peer{};
    socklen_t len = sizeof peer;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &len) != 0 || peer.uid != allowedUid_) {
      note_("Befehlszeile: Verbindung eines anderen Benutzers (uid " + std::to_string(peer.uid) +
            ") abgewiesen");
      ::close(fd);
      continue;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    if (connections_.size() >= kMaxConnections) {  // finished ones are joined first
      for (auto it = connections_.begin(); it != connections_.end();) {
        it->join();
        it = connections_.erase(it);
      }
    }
    connections_.emplace_back([this, fd] { serve(fd); });
  }
}

void LocalSocketServer::serve(int fd) {
  FdChannel channel(fd);
  const std::optional<std::string> line = channel.receiveLine(
      std::chrono::duration_cast<std::chrono::milliseconds>(kRequestWait), kMaxRequest);
  if (!line) return;
  (void)channel.sendLine(handler_(*line));
}

}  // namespace zrv
