#include "platform/posix_program_launcher.h"

#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <system_error>

#include "platform/command_line.h"
#include "platform/spawn.h"
#include "store/base/ascii_case.h"

namespace zrv {
namespace {

LaunchResult fromSpawn(const SpawnResult& r, const std::string& what) {
  if (r.pid > 0) return {true, r.pid, ""};
  return {false, 0, what + " konnte nicht gestartet werden: " + std::strerror(r.error)};
}

bool isExecutableFile(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::is_regular_file(p, ec) && ::access(p.c_str(), X_OK) == 0;
}

std::filesystem::path findInPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string_view rest = path ? path : "";
  while (!rest.empty()) {
    const std::size_t colon = rest.find(':');
    const std::string_view entry = rest.substr(0, colon);
    rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
    const std::filesystem::path candidate =
        std::filesystem::path(entry.empty() ? "." : entry) / name;
    if (isExecutableFile(candidate)) return candidate;
  }
  return {};
}

// A bare program name (no directory part) that is not in the working directory is looked up in
// the search path PATH, as the shell does; a Windows name "tool.exe" is also found as "tool".
// Empty when it is nowhere.
std::filesystem::path findBareName(const std::string& name, const std::filesystem::path& dir) {
  if (name.empty() || name.find('/') != std::string::npos) return {};
  if (isExecutableFile(dir / name)) return dir / name;
  if (std::filesystem::path found = findInPath(name); !found.empty()) return found;
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return {};
  const std::string suffix = asciiLower(name.substr(dot));
  if (suffix != ".exe" && suffix != ".com" && suffix != ".bat") return {};
  return findInPath(name.substr(0, dot));
}

}  // namespace

bool isAddress(const std::string& target) {
  if (target.rfind("mailto:", 0) == 0) return true;
  const std::size_t colon = target.find("://");
  if (colon == std::string::npos || colon < 2) return false;  // "c://" is no scheme
  for (std::size_t i = 0; i < colon; ++i) {
    const unsigned char c = static_cast<unsigned char>(target[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

LaunchResult PosixProgramLauncher::launch(const LaunchRequest& request) {
  if (isAddress(request.target)) {
    return fromSpawn(spawnDetached({opener_, request.target}, request.directory), opener_);
  }
  std::filesystem::path target(request.target);
  std::error_code ec;
  if (!std::filesystem::exists(target, ec)) {
    if (std::filesystem::path found = findBareName(request.target, request.directory);
        !found.empty()) {
      target = found;
    }
  }
  if (isExecutableFile(target)) {
    // An absolute path: the child changes into its directory first, and a bare name would be
    // looked up in PATH instead.
    std::vector<std::string> argv{std::filesystem::absolute(target, ec).string()};
    for (std::string& a : splitParameters(request.parameters))
      argv.push_back(std::move(a));
    return fromSpawn(spawnDetached(argv, request.directory), target.string());
  }
  if (std::filesystem::exists(target, ec)) {
    const std::string document = std::filesystem::absolute(target, ec).string();
    return fromSpawn(spawnDetached({opener_, document}, request.directory), opener_);
  }
  return {false, 0, "Programm nicht gefunden: " + request.target};
}

}  // namespace zrv
