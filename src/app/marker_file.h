// Marker files: empty files whose existence says something ("Zorvane.Run": the program runs).
#pragma once

#include <filesystem>
#include <string_view>

namespace zrv {

// Creates the empty file `name` in `dir`, or empties it when it exists (in whatever case its
// name is spelled there). False when it cannot be created.
bool qlMakeSem(const std::filesystem::path& dir, std::string_view name);

}  // namespace zrv
