// Where the running program file lives: its directory is the program directory of the run.
#pragma once

#include <filesystem>
#include <optional>

namespace zrv {

// The full path of the running program file, or nullopt when the system does not tell it.
std::optional<std::filesystem::path> runningProgramPath();

}  // namespace zrv
