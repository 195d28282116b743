// A field or expression value of one of the four xBase types: character (text), numeric,
// date and logical. Memo fields read and write as character values.
#pragma once

#include <string>
#include <variant>

#include "store/base/date.h"

namespace zrv {

enum class ValueType { kChar = 0, kNumber = 1, kDate = 2, kLogical = 3 };

// Index order follows ValueType. Texts are UTF-8 at the table's interface; inside expressions
// and keys they are the stored Windows-1252 bytes.
using Value = std::variant<std::string, double, Date, bool>;

inline ValueType typeOf(const Value& v) {
  return static_cast<ValueType>(v.index());
}

}  // namespace zrv
