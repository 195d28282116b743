#include "reminder/appointment_kinds.h"

#include "app/context.h"
#include "reminder/text_util.h"

namespace zrv {

int kindPosition(const FixedLists& lists, const std::string& code) {
  const std::string wanted = rtrimBlanks(code);
  if (wanted.empty()) return 1;
  for (std::size_t i = 0; i < lists.AT_TART.size(); ++i) {
    if (lists.AT_TART[i] == wanted) return static_cast<int>(i) + 1;
  }
  return 1;
}

std::string kindText(const FixedLists& lists, const std::string& code) {
  const std::size_t index = static_cast<std::size_t>(kindPosition(lists, code)) - 1;
  return index < lists.ATERMART.size() ? lists.ATERMART[index] : std::string(kNoKindText);
}

}  // namespace zrv
