#include "platform/off_thread.h"

#include <chrono>
#include <future>

namespace zrv {

int runOffThread(const std::function<int()>& job, WaitPort& wait) {
  std::future<int> result = std::async(std::launch::async, job);
  while (result.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
    wait.whileWaiting();
  }
  return result.get();
}

}  // namespace zrv
