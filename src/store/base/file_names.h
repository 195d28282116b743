// File names matched without regard to case, as on Windows, and stored paths that may come
// from Windows (backslashes, ".\dir\file" relative to the program directory, drive letters).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zrv {

// The entry of `dir` whose name equals `name` without regard to case; an exact match wins.
// When none exists, dir / name (so that a file the program creates gets the given spelling).
std::filesystem::path findFile(const std::filesystem::path& dir, std::string_view name);

// True when findFile would find an existing entry.
bool fileExists(const std::filesystem::path& dir, std::string_view name);

// Resolves a stored path: "\" separates components, a drive letter is ignored, ".\x\y" and
// other relative paths are relative to `programDir`, and every component is matched without
// regard to case. Components that do not exist keep their stored spelling.
std::filesystem::path resolveStoredPath(const std::filesystem::path& programDir,
                                        std::string_view stored);

// The stored form of a path: ".\dir\file" inside the program directory, native otherwise.
std::string storedForm(const std::filesystem::path& programDir, const std::filesystem::path& path);

}  // namespace zrv
