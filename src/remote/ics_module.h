// Opens the iCalendar module (zorvane_ical.so beside the program) at the first export or import
// and hands out its codec; the handle stays open for the rest of the run.
#pragma once

#include <filesystem>
#include <string>

#include "store/base/shared_library.h"

namespace zrv {

class IcsCodec;

class IcsModule {
 public:
  explicit IcsModule(std::filesystem::path file) : file_(std::move(file)) {}
  // The codec, or null with a German reason in `why` when the module is missing or broken.
  const IcsCodec* codec(std::string& why);

 private:
  std::filesystem::path file_;
  SharedLibrary library_;
  const IcsCodec* codec_ = nullptr;
  bool tried_ = false;
  std::string why_;
};

}  // namespace zrv
