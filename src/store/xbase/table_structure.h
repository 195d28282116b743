// The structure of a dBASE III table: its fields in record order.
#pragma once

#include <string>
#include <vector>

namespace zrv {

struct FieldDef {
  std::string name;  // A-Z, 0-9, _; at most 10 characters; stored upper case
  char type = 'C';   // 'C' character, 'N' numeric, 'D' date, 'L' logical, 'M' memo
  int width = 1;     // C 1..255, N 1..19, D 8, L 1, M 10
  int decimals = 0;  // N only

  friend bool operator==(const FieldDef&, const FieldDef&) = default;
};

using Structure = std::vector<FieldDef>;

}  // namespace zrv
