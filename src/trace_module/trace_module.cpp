// The trace reader: function names and source lines of return addresses, read from the debug
// information through backward-cpp and libdw. A module of its own so that the program does not
// load libdw; the error handling opens it once the main window is up.
#define BACKWARD_HAS_DW 1
#include <backward.hpp>

#include "diag/stack_module.h"

extern "C" __attribute__((visibility("default"))) void zrvResolveFrames(void* const* frames,
                                                                        int count,
                                                                        zrv::FrameSink sink,
                                                                        void* user) {
  static backward::TraceResolver resolver;
  resolver.load_addresses(frames, count);
  for (int i = 0; i < count; ++i) {
    // A return address points behind its call: one byte back lies the calling line.
    void* call = static_cast<char*>(frames[i]) - 1;
    const backward::ResolvedTrace t = resolver.resolve(
        backward::ResolvedTrace(backward::Trace(call, static_cast<std::size_t>(i))));
    // Functions inlined into this frame come first, the innermost before the others.
    for (auto it = t.inliners.rbegin(); it != t.inliners.rend(); ++it)
      sink(user, i, it->function.c_str(), it->filename.c_str(), static_cast<int>(it->line));
    // The frame's own function by its symbol, which names its namespace and class.
    sink(user, i, t.object_function.empty() ? t.source.function.c_str() : t.object_function.c_str(),
         t.source.filename.c_str(), static_cast<int>(t.source.line));
  }
}
