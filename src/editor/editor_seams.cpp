#include "editor/editor_seams.h"

namespace zrv {

EditorSeams& defaultEditorSeams() {
  static EditorSeams seams;
  return seams;
}

}  // namespace zrv
