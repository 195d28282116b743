// Copying records between tables of different structures, fields matched by name.
#pragma once

#include "store/base/status.h"
#include "store/xbase/table.h"

namespace zrv {

// Appends every record of `from` that is not deleted, in record-number order, to `to`. A field
// is copied when `to` has a field of that name: values of the same type as they are, text
// between C and M fields as text (cut to a C field's width); other fields stay empty. Memos
// are copied with their text. The changes are flushed, not committed. Returns the number of
// records appended. `from`'s position and order are changed.
Result<long> appendFrom(Table& to, Table& from);

}  // namespace zrv
