#include "app/marker_file.h"

#include "store/base/file_io.h"
#include "store/base/file_names.h"

namespace zrv {

bool qlMakeSem(const std::filesystem::path& dir, std::string_view name) {
  return static_cast<bool>(openFile(findFile(dir, name), "wb"));
}

}  // namespace zrv
