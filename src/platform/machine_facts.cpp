#include "platform/machine_facts.h"

#include <malloc.h>
#include <netdb.h>
#include <sys/resource.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <sstream>
#include <thread>

namespace zrv {
namespace fs = std::filesystem;
namespace {

// A "Key:   123 kB" line of a /proc status file, in bytes.
std::uint64_t statusBytes(const std::string& text, const char* key) {
  const auto at = text.find(std::string("\n") + key + ":");
  if (at == std::string::npos) return 0;
  return std::strtoull(text.c_str() + at + std::strlen(key) + 2, nullptr, 10) * 1024;
}

std::string readText(const fs::path& p) {
  std::ifstream in(p);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

HostAddress lookUpHost() {
  HostAddress h;
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return h;
  h.hostName = name;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  if (::getaddrinfo(name, nullptr, &hints, &found) != 0 || !found) return h;
  char ip[NI_MAXHOST] = {};
  char back[NI_MAXHOST] = {};
  if (::getnameinfo(found->ai_addr, found->ai_addrlen, ip, sizeof ip, nullptr, 0, NI_NUMERICHOST) ==
      0) {
    h.ip = ip;
    h.ok = true;
  }
  if (::getnameinfo(found->ai_addr, found->ai_addrlen, back, sizeof back, nullptr, 0,
                    NI_NAMEREQD) == 0) {
    h.nameOfAddress = back;
  }
  ::freeaddrinfo(found);
  return h;
}

}  // namespace

KernelNames kernelNames() {
  utsname u{};
  if (::uname(&u) != 0) return {};
  return {u.release, u.version, u.machine, u.nodename};
}

HostAddress hostAddress(std::chrono::milliseconds limit) {
  // A name service that hangs keeps its thread; the answer is simply not waited for.
  auto promise = std::make_shared<std::promise<HostAddress>>();
  std::future<HostAddress> answer = promise->get_future();
  std::thread([promise] { promise->set_value(lookUpHost()); }).detach();
  if (answer.wait_for(limit) != std::future_status::ready) {
    HostAddress none;
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) == 0) none.hostName = name;
    return none;
  }
  return answer.get();
}

long openFileLimit() {
  rlimit r{};
  if (::getrlimit(RLIMIT_NOFILE, &r) != 0) return 0;
  return r.rlim_cur == RLIM_INFINITY ? 0 : static_cast<long>(r.rlim_cur);
}

ProcessMemory processMemory() {
  ProcessMemory m;
  const std::string status = "\n" + readText("/proc/self/status");
  m.residentNow = statusBytes(status, "VmRSS");
  m.residentPeak = statusBytes(status, "VmHWM");
  const struct mallinfo2 heap = ::mallinfo2();
  m.heapNow = heap.uordblks + heap.hblkhd;
  m.heapPeak = heap.arena + heap.hblkhd;
  return m;
}

std::vector<std::string> userProcesses() {
  std::vector<std::pair<long, std::string>> found;
  const uid_t me = ::getuid();
  std::error_code ec;
  for (const auto& e : fs::directory_iterator("/proc", ec)) {
    const std::string pid = e.path().filename().string();
    if (pid.empty() || !std::all_of(pid.begin(), pid.end(), ::isdigit)) continue;
    const std::string status = "\n" + readText(e.path() / "status");
    const auto uid = status.find("\nUid:");
    if (uid == std::string::npos || std::strtoul(status.c_str() + uid + 5, nullptr, 10) != me)
      continue;
    if (readText(e.path() / "cmdline").empty()) continue;  // a kernel thread, no application
    std::string comm = readText(e.path() / "comm");
    while (!comm.empty() && comm.back() == '\n')
      comm.pop_back();
    found.emplace_back(std::stol(pid), comm);
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> names;
  for (auto& f : found)
    names.push_back(std::move(f.second));
  return names;
}

}  // namespace zrv
