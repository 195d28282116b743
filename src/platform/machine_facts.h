// What the system tells about itself and about this process, for the error report and the
// system information: kernel names, host name and address, the handle limit, memory figures
// and the user's running processes. Missing facts are empty or 0.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace zrv {

struct KernelNames {
  std::string release;  // uname -r
  std::string version;  // uname -v
  std::string machine;  // uname -m
  std::string nodeName;
};
KernelNames kernelNames();

struct HostAddress {
  bool ok = false;
  std::string ip = "0.0.0.0";  // the host name's first address
  std::string hostName;
  std::string nameOfAddress;  // the name found for that address
};
// Gives up after `limit` (a name service that does not answer).
HostAddress hostAddress(std::chrono::milliseconds limit);

// The number of files this process may hold open (RLIMIT_NOFILE).
long openFileLimit();

struct ProcessMemory {
  std::uint64_t residentNow = 0;   // VmRSS
  std::uint64_t residentPeak = 0;  // VmHWM
  std::uint64_t heapNow = 0;       // bytes the allocator hands out now
  std::uint64_t heapPeak = 0;      // bytes the allocator holds from the system
};
ProcessMemory processMemory();

// The command names of this user's running programs (kernel threads left out), in process-id
// order.
std::vector<std::string> userProcesses();

}  // namespace zrv
