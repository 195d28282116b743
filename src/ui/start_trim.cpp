#include "ui/start_trim.h"

#include <malloc.h>

#include "store/base/shared_library.h"

namespace zrv {

void dropMatchedFonts() {
  // Both libraries are loaded with the toolkit already; opening them again only finds them.
  SharedLibrary cairo, fc;
  void* (*defaultMap)() = nullptr;
  void (*clearCache)(void*) = nullptr;
  if (!cairo.open("libpangocairo-1.0.so.0") || !fc.open("libpangoft2-1.0.so.0")) return;
  if (!cairo.resolve("pango_cairo_font_map_get_default", defaultMap) ||
      !fc.resolve("pango_fc_font_map_cache_clear", clearCache)) {
    return;
  }
  if (void* map = defaultMap()) clearCache(map);
}

void returnFreedMemory() {
  malloc_trim(0);
}

}  // namespace zrv
