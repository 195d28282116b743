#include "app/run_files.h"

#include "app/context.h"

namespace zrv {

std::filesystem::path runFilesFolder(const Context& ctx) {
  return ctx.CRUNIN;
}

}  // namespace zrv
