// The trace reader module (zorvane_trace.so beside the program) and its one function: for each
// of `count` return addresses it tells `sink` the function, source file and line of the call
// (functions inlined into a frame first). Empty names when the debug information lacks them.
#pragma once

namespace zrv {

inline constexpr const char* kTraceModuleFile = "zorvane_trace.so";
inline constexpr const char* kResolveFrames = "zrvResolveFrames";
using FrameSink = void (*)(void* user, int frame, const char* function, const char* file, int line);
using ResolveFrames = void (*)(void* const* frames, int count, FrameSink sink, void* user);

}  // namespace zrv
