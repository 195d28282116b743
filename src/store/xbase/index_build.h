// What an index needs beyond its file: compiled key and condition, key size, and the key bytes
// of a record. Also the bulk build that reads a table once for several indexes. Internal.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/xbase/dbf_file.h"
#include "store/xbase/expression.h"
#include "store/xbase/index_def.h"
#include "store/xbase/ntx_tree.h"

namespace zrv {

struct IndexPlan {
  IndexDef def;
  Expression key;
  std::optional<Expression> condition;
  int keySize = 0;
  int keyDecimals = 0;
};

// Compiles key and condition against the table; the key size is the length of the key of a
// blank record (numbers: the width str() gives them). kBadExpression when either cannot be
// evaluated or the key has no usable length.
Result<IndexPlan> planIndex(const IndexDef& def, const Structure& fields, std::string_view alias);

// The key bytes (keySize long) of a record: texts padded or cut, dates YYYYMMDD, logicals T/F,
// numbers as str() with leading zeros and negatives arranged to sort below positives.
void makeKey(const IndexPlan& plan, std::string_view record, const ExprToday& today,
             std::string& out);
// Whether the record gets a key (its condition holds today).
bool wantsKey(const IndexPlan& plan, std::string_view record, const ExprToday& today);
// A search text (Windows-1252) as key bytes of the plan's type: cut to the key size, not padded.
std::string seekKey(const IndexPlan& plan, std::string_view cp1252);

// Reads every record of `dbf` once and writes one index per plan into the matching empty new
// file of `files`. Deleted records get keys too (navigation hides them). Plans with the same
// key expression share one sort.
Result<std::vector<NtxTree>> buildIndexes(const DbfFile& dbf,
                                          const std::vector<const IndexPlan*>& plans,
                                          std::vector<OsFile> files, const Date& today,
                                          bool shared);

}  // namespace zrv
