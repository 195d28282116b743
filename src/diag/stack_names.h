// The call stack of an error as the report shows it: one line per call with a name, the
// innermost first, starting at the routine that raised the error (the error handling's own
// frames left out).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/call_stack.h"

namespace zrv {

struct StackLine {
  std::string routine;  // the function's name without its parameter list
  int line = 0;         // source line, 0 when unknown
};

// Opens the trace reader beside the program (once; it stays open). False when it is missing.
bool loadTraceReader(const std::filesystem::path& programDir);

// The named calls of `stack`, at most `limit` of them; without the trace reader none.
std::vector<StackLine> stackLines(const CallStack& stack, std::size_t limit = 72);

// "Name(123)".
std::string stackLineText(const StackLine& line);

// A function name as the report shows it: "zrv::(anonymous namespace)::f(int) const" → "zrv::f".
std::string shortRoutineName(std::string_view demangled);

}  // namespace zrv
