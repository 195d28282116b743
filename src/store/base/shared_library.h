// A system library or a module of the program opened at run time instead of being linked, for
// libraries that only some runs need (mail, sound, help). The handle stays open for the rest of the
// run: such libraries keep global state and threads once started.
#pragma once

#include <string>

namespace zrv {

class SharedLibrary {
 public:
  // Opens `soname` (e.g. "libcurl.so.4", or a file's path); false when it is not installed.
  bool open(const char* soname);
  // Why the last open or look-up of this thread failed (empty when it did not).
  static std::string lastError();
  // Sets `out` to the function `name`; false when the library lacks it.
  template <typename F>
  bool resolve(const char* name, F& out) const {
    out = reinterpret_cast<F>(symbol(name));
    return out != nullptr;
  }

 private:
  void* symbol(const char* name) const;
  void* handle_ = nullptr;
};

}  // namespace zrv
