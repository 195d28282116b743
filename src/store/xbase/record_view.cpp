// Reading records without moving the current record: RecordView's fields, Table::readAt and
// the walks over an order's record numbers (all of them, a stretch, a range of keys).
#include "store/base/codepage.h"
#include "store/xbase/field_codec.h"
#include "store/xbase/table_impl.h"
#include "store/xbase/xbase_layout.h"

namespace zrv {

bool RecordView::isDeleted() const {
  return !record_.empty() && record_[0] == xbase::dbf::kDeleted;
}

bool RecordView::hasField(std::string_view name) const {
  return impl_->field(name) >= 0;
}

Result<std::string> RecordView::getString(std::string_view name) const {
  auto f = impl_->fieldOf(name, "CM");
  if (!f) return f.status();
  if (impl_->dbf_.header().fields[*f].type == 'C') {
    return cp1252ToUtf8(field::trimRight(impl_->rawIn(record_, *f)));
  }
  auto text = impl_->memoIn(record_, *f, recno_, memos_);
  if (!text) return text.status();
  return cp1252ToUtf8(*text);
}

Result<double> RecordView::getNumber(std::string_view name) const {
  auto f = impl_->fieldOf(name, "N");
  if (!f) return f.status();
  return field::parseNumber(impl_->rawIn(record_, *f));
}

Result<Date> RecordView::getDate(std::string_view name) const {
  auto f = impl_->fieldOf(name, "D");
  if (!f) return f.status();
  return field::parseDate(impl_->rawIn(record_, *f));
}

Result<bool> RecordView::getLogical(std::string_view name) const {
  auto f = impl_->fieldOf(name, "L");
  if (!f) return f.status();
  return field::parseLogical(impl_->rawIn(record_, *f));
}

Result<RecordView> Table::readAt(std::uint32_t recno) {
  TableImpl& t = *impl_;
  if (!t.eof_ && recno == t.recno_) return RecordView(&t, recno, t.record_, t.pendingMemos_);
  if (recno > t.dbf_.recordCount()) {
    if (Status s = t.refreshShared(); !s) return s;
  }
  if (recno == 0 || recno > t.dbf_.recordCount()) {
    return status::invalid("Die Datei " + t.dbf_.path().filename().string() +
                           " hat keinen Datensatz " + std::to_string(recno) + ".");
  }
  std::string record;
  if (Status s = t.readRecord(recno, record); !s) return s;
  return RecordView(&t, recno, std::move(record), {});
}

Result<std::vector<std::uint32_t>> Table::orderRecnos(int order) {
  return impl_->orderRecnos(order);
}

// Runs a walk over an index; when it failed on that index found damaged, rebuilds the index and
// walks again.
template <class Walk>
static Status walkRepairing(TableImpl& t, OpenIndex& ix, Walk walk) {
  Status s = walk();
  if (s.code() != StatusCode::kCorrupt || !ix.damaged) return s;
  if (Status r = t.repair(ix, s); !r) return r;
  return walk();
}

Result<std::vector<std::uint32_t>> TableImpl::orderRecnos(int order) {
  if (order < 0 || order > static_cast<int>(indexes_.size())) {
    return status::invalid("Die Datei " + dbf_.path().filename().string() + " hat keinen Index " +
                           std::to_string(order) + ".");
  }
  if (Status s = flush(); !s) return s;
  if (Status s = refreshShared(); !s) return s;
  std::vector<std::uint32_t> out;
  std::string record;
  if (order == 0) {
    for (std::uint32_t r = 1; r <= dbf_.recordCount(); ++r) {
      if (Status s = readRecord(r, record); !s) return s;
      if (record[0] != xbase::dbf::kDeleted) out.push_back(r);
    }
    return out;
  }
  OpenIndex& ix = *indexes_[static_cast<std::size_t>(order - 1)];
  const auto walk = [&]() -> Status {
    out.clear();
    if (Status s = ix.tree.beginRead(); !s) return s;
    NtxTree::Cursor c;
    Result<bool> on = firstLiveWith(ix, c, true, ix.tree.first(c), record);
    while (on && *on) {
      out.push_back(c.entry.recno);
      on = firstLiveWith(ix, c, true, ix.tree.next(c), record);
    }
    ix.tree.end();
    return on.status();
  };
  if (Status s = walkRepairing(*this, ix, walk); !s) return s;
  return out;
}

Result<std::vector<std::uint32_t>> Table::orderRange(int order, std::string_view fromKey,
                                                     std::string_view toKey, std::size_t maxLive) {
  return impl_->orderRange(order, fromKey, toKey, maxLive);
}

Result<std::vector<std::uint32_t>> TableImpl::orderRange(int order, std::string_view fromKey,
                                                         std::string_view toKey,
                                                         std::size_t maxLive) {
  if (order < 1 || order > static_cast<int>(indexes_.size())) {
    return status::invalid("Die Datei " + dbf_.path().filename().string() + " hat keinen Index " +
                           std::to_string(order) + ".");
  }
  if (Status s = flush(); !s) return s;
  if (Status s = refreshShared(); !s) return s;
  OpenIndex& ix = *indexes_[static_cast<std::size_t>(order - 1)];
  const std::string from = seekKey(ix.plan, utf8ToCp1252(fromKey));
  const std::string to = seekKey(ix.plan, utf8ToCp1252(toKey));
  std::vector<std::uint32_t> out;
  std::string record;
  const auto walk = [&]() -> Status {
    out.clear();
    if (Status s = ix.tree.beginRead(); !s) return s;
    NtxTree::Cursor c;
    Result<bool> on = firstLiveWith(ix, c, true, ix.tree.seekPrefix(c, from), record);
    while (on && *on && out.size() < maxLive && c.entry.key.compare(0, to.size(), to) <= 0) {
      out.push_back(c.entry.recno);
      on = firstLiveWith(ix, c, true, ix.tree.next(c), record);
    }
    ix.tree.end();
    return on.status();
  };
  if (Status s = walkRepairing(*this, ix, walk); !s) return s;
  return out;
}

Result<Table::OrderPage> Table::orderPage(int order, std::size_t fromEntry, std::size_t maxLive) {
  return impl_->orderPage(order, fromEntry, maxLive);
}

Result<Table::OrderPage> TableImpl::orderPage(int order, std::size_t fromEntry,
                                              std::size_t maxLive) {
  if (order < 0 || order > static_cast<int>(indexes_.size())) {
    return status::invalid("Die Datei " + dbf_.path().filename().string() + " hat keinen Index " +
                           std::to_string(order) + ".");
  }
  if (Status s = flush(); !s) return s;
  if (Status s = refreshShared(); !s) return s;
  Table::OrderPage page;
  std::string record;
  if (order == 0) {
    std::uint32_t r = static_cast<std::uint32_t>(fromEntry) + 1;
    for (; r <= dbf_.recordCount() && page.recnos.size() < maxLive; ++r) {
      if (Status s = readRecord(r, record); !s) return s;
      if (record[0] != xbase::dbf::kDeleted) page.recnos.push_back(r);
    }
    page.nextEntry = r - 1;
    page.atEnd = r > dbf_.recordCount();
    return page;
  }
  OpenIndex& ix = *indexes_[static_cast<std::size_t>(order - 1)];
  const auto walk = [&]() -> Status {
    page = Table::OrderPage{};
    if (Status s = ix.tree.beginRead(); !s) return s;
    // A sound index has one entry per record; more steps than that mean a loop in its pages.
    const std::uint64_t most = 2 * (std::uint64_t(dbf_.recordCount()) + 16);
    NtxTree::Cursor c;
    std::size_t entry = 0;
    Result<bool> on = ix.tree.first(c);
    Status fault;
    for (; on && *on && entry < fromEntry && entry < most; ++entry)
      on = ix.tree.next(c);
    for (; on && *on && page.recnos.size() < maxLive; ++entry) {
      const std::uint32_t r = c.entry.recno;
      if (entry >= most) {
        fault = indexFault(ix, status::corrupt(ix.file, "die Seiten bilden einen Kreis"));
        break;
      }
      if (r == 0 || r > dbf_.recordCount()) {
        fault = indexFault(ix, status::corrupt(ix.file, "ein Schlüssel verweist auf Datensatz " +
                                                            std::to_string(r)));
        break;
      }
      if (Status s = readRecord(r, record); !s) {
        fault = s;
        break;
      }
      if (record[0] != xbase::dbf::kDeleted) page.recnos.push_back(r);
      on = ix.tree.next(c);
    }
    ix.tree.end();
    if (!fault) return fault;
    if (!on) return indexFault(ix, on.status());
    page.nextEntry = entry;
    page.atEnd = !*on;
    return {};
  };
  if (Status s = walkRepairing(*this, ix, walk); !s) return s;
  return page;
}

}  // namespace zrv
