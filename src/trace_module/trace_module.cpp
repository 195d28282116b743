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
    // The functions inlined into this frame, the innermost first: the innermost stands at the
    // frame's own place, each other at the call of the one inlined into it, and the frame's own
    // function (by its symbol, which names its namespace and class) at the outermost call.
    const auto& in = t.inliners;
    const char* own =
        t.object_function.empty() ? t.source.function.c_str() : t.object_function.c_str();
    int line = static_cast<int>(t.source.line);
    const char* file = t.source.filename.c_str();
    for (std::size_t k = 0; k < in.size(); ++k) {  // the reader lists them innermost first
      sink(user, i, in[k].function.c_str(), file, line);
      line = static_cast<int>(in[k].line);
      file = in[k].filename.c_str();
    }
    sink(user, i, own, file, line);
  }
}
