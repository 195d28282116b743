#include "platform/call_stack.h"

#include <execinfo.h>

namespace zrv {
namespace {

thread_local CallStack lastThrow;
thread_local const void* lastThrown = nullptr;

}  // namespace

CallStack captureCallStack() {
  CallStack s;
  s.count = ::backtrace(s.frames.data(), static_cast<int>(s.frames.size()));
  return s;
}

const CallStack& stackOfLastThrow() {
  return lastThrow;
}

CallStack stackOfThrow(const void* object) {
  return object && object == lastThrown ? lastThrow : CallStack{};
}

void noteThrow(const void* object) {
  lastThrow = captureCallStack();
  lastThrown = object;
}

}  // namespace zrv
