#include "platform/program_path.h"

#include <system_error>

namespace zrv {

std::optional<std::filesystem::path> runningProgramPath() {
  std::error_code ec;
  auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || p.empty()) return std::nullopt;
  return p;
}

}  // namespace zrv
