// Hands the requests that arrive on the socket's threads to the window thread, which alone may
// touch the table, and waits for the answer. A reading command waits at most 2 s for the window
// thread (then --next is answered from the last known next appointment); a change waits until no
// window is open and no tick or command runs, at most 30 s, and is then refused, never carried
// out late. Once the window thread has taken a request up, its answer is awaited.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "remote/cli_request.h"

namespace zrv {

struct RelayTiming {
  std::chrono::milliseconds read{2000};
  std::chrono::milliseconds change{30000};
  std::chrono::milliseconds retry{200};  // how often a waiting change looks again
};

// What the relay needs of the window thread.
struct WindowSide {
  // Runs `call` on the window thread soon, or after `delay`.
  std::function<void(std::function<void()> call)> post;
  std::function<void(std::function<void()> call, std::chrono::milliseconds delay)> postLater;
  // A change must wait: a window is open, a tick or a command runs.
  std::function<bool()> busy;
  // Carries the request out (on the window thread) and gives its answer through `answer`, which
  // goes to the client at once, so that work after it (alerts of missed appointments) does not
  // hold the client up.
  using Answer = std::function<void(CliResponse)>;
  std::function<void(const CliRequest&, const Answer& answer)> execute;
};

class RequestRelay {
 public:
  RequestRelay(WindowSide window, RelayTiming timing = {});
  ~RequestRelay();  // close()
  RequestRelay(const RequestRelay&) = delete;
  RequestRelay& operator=(const RequestRelay&) = delete;

  // One request line to one response line (on a socket thread).
  std::string handle(const std::string& line);
  // The answers of --next (for people and as JSON) as the window thread last found them; given
  // when the window thread is too busy to answer in time.
  void publishNext(CliResponse human, CliResponse json);
  // From now on nothing reaches the window thread; waiting requests are answered at once.
  void close();

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
};

}  // namespace zrv
