#include "store/xbase/table_copy.h"

namespace zrv {
namespace {

bool isText(char type) {
  return type == 'C' || type == 'M';
}

// Copies the fields of the current record of `from` into the current record of `to`.
Status copyFields(Table& to, const Table& from) {
  for (const FieldDef& target : to.structure()) {
    const int source = from.fieldIndex(target.name);
    if (source < 0) continue;
    const char type = from.structure()[source].type;
    if (type != target.type && !(isText(type) && isText(target.type))) continue;
    auto value = from.get(target.name);
    if (!value) return value.status();
    if (Status s = to.set(target.name, *value); !s) return s;
  }
  return {};
}

}  // namespace

Result<long> appendFrom(Table& to, Table& from) {
  if (Status s = from.setOrder(0); !s) return s;
  if (Status s = from.goTop(); !s) return s;
  long count = 0;
  while (!from.eof()) {
    if (Status s = to.append(); !s) return s;
    if (Status s = copyFields(to, from); !s) return s;
    if (Status s = to.flush(); !s) return s;
    ++count;
    if (Status s = from.skip(1); !s) return s;
  }
  return count;
}

}  // namespace zrv
