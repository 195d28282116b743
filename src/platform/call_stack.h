// The return addresses of the calls active at one moment, taken where an error arises: by the
// program's error type when it is made and, for every other exception, by the throw routine
// itself (the program puts a wrapper in front of it), so that a report names where an error was
// thrown rather than where it was caught.
#pragma once

#include <array>

namespace zrv {

struct CallStack {
  std::array<void*, 80> frames{};
  int count = 0;
};

// The calls active now, the caller first.
CallStack captureCallStack();
// The stack of the last exception thrown on this thread (empty before the first).
const CallStack& stackOfLastThrow();
// The stack of the throw of the exception object `object` when it was the last one thrown on
// this thread, else an empty one.
CallStack stackOfThrow(const void* object);
// Called by the wrapper of the throw routine (gui_module/throw_wrapper.cpp) for each throw.
void noteThrow(const void* object);

}  // namespace zrv
