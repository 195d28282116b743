// The wrapper of the runtime's throw routine for the window module: every throw of the
// program's code passes here first and leaves its call stack behind (platform/call_stack.h),
// then the runtime's own routine throws. The module keeps the wrapper to itself, so only the
// throws of its own code are wrapped.
#include <dlfcn.h>

#include <cstdlib>
#include <typeinfo>

#include "platform/call_stack.h"

extern "C" {
using ThrowRoutine = void (*)(void*, std::type_info*, void (*)(void*));

[[noreturn]] void __cxa_throw(void* object, std::type_info* type, void (*destroy)(void*)) {
  static const auto real = reinterpret_cast<ThrowRoutine>(::dlsym(RTLD_NEXT, "__cxa_throw"));
  if (!real) std::abort();
  zrv::noteThrow(object);
  real(object, type, destroy);
  std::abort();  // the runtime's routine does not return
}
}
