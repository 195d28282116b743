// What the user is told when an appointment table cannot be opened or changed: one German
// message (title "Problem") and one logbook line, so that every command reports the same
// situation with the same words.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "store/base/status.h"

namespace zrv {

struct Context;

inline constexpr const char* kProblemTitle = "Problem";

// The message for the table file `file` that could not be opened for the reason `s`: held by
// another program, damaged (the file is left as it is), or the engine's own words.
std::string openProblemText(const std::filesystem::path& file, const Status& s);

// Logs the engine's message under `place` and shows openProblemText.
void reportOpenProblem(Context& ctx, std::string_view place, const std::filesystem::path& file,
                       const Status& s);

}  // namespace zrv
