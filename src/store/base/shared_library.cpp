#include "store/base/shared_library.h"

#include <dlfcn.h>

namespace zrv {

bool SharedLibrary::open(const char* soname) {
  handle_ = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
  return handle_ != nullptr;
}

void* SharedLibrary::symbol(const char* name) const {
  return handle_ ? dlsym(handle_, name) : nullptr;
}

std::string SharedLibrary::lastError() {
  const char* text = dlerror();
  return text ? text : "";
}

}  // namespace zrv
