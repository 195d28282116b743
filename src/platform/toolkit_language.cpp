#include "platform/toolkit_language.h"

#include <stdlib.h>

#include <clocale>

namespace zrv {

void germanToolkitMessages() {
  // The catalogues ignore the preferred language in the plain "C" locale only.
  if (!std::setlocale(LC_MESSAGES, "C.UTF-8")) std::setlocale(LC_MESSAGES, "");
  ::setenv("LANGUAGE", "de", 1);
}

}  // namespace zrv
