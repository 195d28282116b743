// What an index is built from: its key expression, its FOR condition and the values of names
// that are not fields. Shared by the table's interface and the engine's index code.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "store/xbase/value.h"

namespace zrv {

// Values of names in an index expression that are not fields (e.g. "dDAT" of a temporary
// index), bound when the index is created. Texts UTF-8.
using ExprVariables = std::vector<std::pair<std::string, Value>>;

// What an index holds: the key expression and the FOR condition, stored in the NTX header
// exactly as given.
struct IndexDef {
  std::string key;           // e.g. "dtos(DTER->TDATE)+DTER->TTIME"
  std::string forCondition;  // empty: every record gets a key
  bool unique = false;       // only the first record (in file order) of each key value
  ExprVariables variables;
};

}  // namespace zrv
