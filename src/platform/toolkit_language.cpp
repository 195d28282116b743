#include "platform/toolkit_language.h"

#include <stdlib.h>

#include <clocale>

namespace zrv {

void germanToolkitMessages() {
  // A German locale for the messages where the machine has one; else any UTF-8 locale with
  // German as the preferred language (the catalogues ignore that preference in plain "C" only).
  if (!std::setlocale(LC_MESSAGES, "de_DE.UTF-8") && !std::setlocale(LC_MESSAGES, "C.UTF-8")) {
    std::setlocale(LC_MESSAGES, "");
  }
  ::setenv("LANGUAGE", "de", 1);
}

}  // namespace zrv
