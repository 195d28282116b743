// The report of a crash: "Error.log" as after any other error, written from inside the fatal
// signal's handler without a window (platform/fatal_signals.h).
#pragma once

#include "platform/call_stack.h"

namespace zrv {

struct Context;

// The program whose crash is reported; null when there is none (yet, or any more).
void reportCrashesOf(const Context* ctx, int colourDepth);

// Writes "Error.log" for the crash `description` at `stack` (a CrashReport).
void writeCrashReport(const char* description, const CallStack& stack);

}  // namespace zrv
