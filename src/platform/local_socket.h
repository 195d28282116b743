// The running program's local socket: one per program directory and user, in $XDG_RUNTIME_DIR
// (or a private folder in /tmp), mode 0600, answering only processes of the same user (the
// peer's credentials are checked on every connection). The command line connects to it and
// writes one request line; the program answers with one line.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "ports/line_channel.h"

namespace zrv {

// The socket of `programDir` for the user of this process, in `runtimeDir` ($XDG_RUNTIME_DIR;
// when empty, /tmp/zorvane-<uid>, made private).
std::filesystem::path localSocketPath(const std::filesystem::path& programDir,
                                      const std::string& runtimeDir);

// Connects to the socket; null (with a German reason in `why`) when nobody listens there.
std::unique_ptr<LineChannel> connectLocalSocket(const std::filesystem::path& socket,
                                                std::string& why);

class LocalSocketServer {
 public:
  // Answers one request line with one response line; runs on a thread of the server's own.
  using Handler = std::function<std::string(const std::string& line)>;
  // Tells the program's logbook (German) what happened: a refused peer, a failed start.
  using Note = std::function<void(const std::string&)>;

  // `allowedUid`: the user whose processes are answered (this process's user).
  LocalSocketServer(std::filesystem::path socket, Handler handler, Note note, uid_t allowedUid);
  ~LocalSocketServer();  // stop()
  LocalSocketServer(const LocalSocketServer&) = delete;
  LocalSocketServer& operator=(const LocalSocketServer&) = delete;

  // Binds and listens. A socket file nobody answers on (a crashed run's) is replaced; one that
  // answers belongs to another running program: false. False with a note when it fails.
  bool start();
  // Stops accepting, waits for the connections being answered, removes the socket file.
  void stop();

 private:
  void acceptLoop();
  void serve(int fd);

  std::filesystem::path path_;
  Handler handler_;
  Note note_;
  uid_t allowedUid_;
  int listenFd_ = -1;
  std::atomic<bool> stopping_{false};
  std::thread acceptor_;
  std::mutex mutex_;
  std::list<std::thread> connections_;  // joined at stop()
};

}  // namespace zrv
