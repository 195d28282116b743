// Moving through a table in its natural or its controlling index order. Deleted records are
// skipped everywhere; a damaged controlling index found on the way is rebuilt and the move
// repeated once.
#include "store/base/codepage.h"
#include "store/xbase/table_impl.h"
#include "store/xbase/xbase_layout.h"

namespace zrv {
namespace {

bool isLive(const std::string& record) {
  return !record.empty() && record[0] != xbase::dbf::kDeleted;
}

// Holds the shared read lock of an index for one move.
class ReadLock {
 public:
  explicit ReadLock(NtxTree& t) : t_(t), status_(t.beginRead()) {}
  ~ReadLock() {
    if (status_) t_.end();
  }
  const Status& status() const { return status_; }

 private:
  NtxTree& t_;
  Status status_;
};

}  // namespace

Status TableImpl::refreshShared() {
  if (!shared()) return {};
  return dbf_.refreshCount();
}

// Runs a move; when it failed on a damaged controlling index, rebuilds that index and runs
// the move again.
template <class Move>
static Status withRepair(TableImpl& t, Move move) {
  Status s = move();
  if (s.code() != StatusCode::kCorrupt || t.order_ == 0) return s;
  OpenIndex& ix = *t.indexes_[t.order_ - 1];
  if (!ix.damaged) return s;
  if (Status r = t.repair(ix, s); !r) return r;
  return move();
}

Status TableImpl::goTop() {
  if (Status s = flush(); !s) return s;
  if (Status s = refreshShared(); !s) return s;
  if (order_ == 0) return topNatural();
  return withRepair(*this, [&] { return topIndexed(*indexes_[order_ - 1]); });
}

Status TableImpl::goBottom() {
  if (Status s = flush(); !s) return s;
  if (Status s = refreshShared(); !s) return s;
  if (order_ == 0) {
    phantom();  // from behind the last record backwards
    return skipNatural(-1);
  }
  return withRepair(*this, [&] { return bottomIndexed(*indexes_[order_ - 1]); });
}

Status TableImpl::skip(long n) {
  if (Status s = flush(); !s) return s;
  if (Status s = refreshShared(); !s) return s;
  if (n == 0) {
    if (eof_) return {};
    std::string rec;
    if (Status s = readRecord(recno_, rec); !s) return s;
    positionOn(recno_, std::move(rec));
    return {};
  }
  if (order_ == 0) return skipNatural(n);
  return withRepair(*this, [&] { return skipIndexed(n); });
}

Status TableImpl::goTo(std::uint32_t recno) {
  if (Status s = flush(); !s) return s;
  if (Status s = refreshShared(); !s) return s;
  if (recno == 0 || recno > dbf_.recordCount()) {
    phantom();
    return {};
  }
  std::string rec;
  if (Status s = readRecord(recno, rec); !s) return s;
  positionOn(recno, std::move(rec));
  return {};
}

// ---- natural order ----------------------------------------------------------------------

Status TableImpl::topNatural() {
  std::string rec;
  for (std::uint32_t r = 1; r <= dbf_.recordCount(); ++r) {
    if (Status s = readRecord(r, rec); !s) return s;
    if (isLive(rec)) {
      positionOn(r, std::move(rec));
      return {};
    }
  }
  phantom();
  bof_ = true;
  return {};
}

Status TableImpl::skipNatural(long n) {
  const std::uint32_t count = dbf_.recordCount();
  std::string rec;
  if (n > 0) {
    if (eof_) return {};
    std::uint32_t r = recno_;
    for (long k = 0; k < n; ++k) {
      for (++r; r <= count; ++r) {
        if (Status s = readRecord(r, rec); !s) return s;
        if (isLive(rec)) break;
      }
      if (r > count) {
        phantom();
        return {};
      }
    }
    positionOn(r, std::move(rec));
    return {};
  }
  std::uint32_t r = eof_ ? count + 1 : recno_;
  for (long k = 0; k < -n; ++k) {
    bool found = false;
    while (r > 1) {
      --r;
      if (Status s = readRecord(r, rec); !s) return s;
      if (isLive(rec)) {
        found = true;
        break;
      }
    }
    if (!found) {
      if (Status s = topNatural(); !s) return s;
      bof_ = true;
      return {};
    }
  }
  positionOn(r, std::move(rec));
  return {};
}

// ---- index order ------------------------------------------------------------------------

Status TableImpl::indexFault(OpenIndex& ix, const Status& s) {
  if (s.code() == StatusCode::kCorrupt) ix.damaged = true;
  return s;
}

// From the entry the cursor stands on, moves on (forward or back) until a record that is not
// deleted; reads it into `record`.
Result<bool> TableImpl::firstLiveWith(OpenIndex& ix, NtxTree::Cursor& c, bool forward,
                                      Result<bool> on, std::string& record) {
  // A sound index has one entry per record; more steps than that mean a loop in its pages.
  std::uint64_t steps = 0;
  while (on && *on) {
    if (++steps > 2 * (std::uint64_t(dbf_.recordCount()) + 16)) {
      return indexFault(ix, status::corrupt(ix.file, "die Seiten bilden einen Kreis"));
    }
    const std::uint32_t r = c.entry.recno;
    if (r == 0 || r > dbf_.recordCount()) {
      if (Status s = refreshShared(); !s) return s;
      if (r == 0 || r > dbf_.recordCount()) {
        return indexFault(ix, status::corrupt(ix.file, "ein Schlüssel verweist auf Datensatz " +
                                                           std::to_string(r)));
      }
    }
    if (Status s = readRecord(r, record); !s) return s;
    if (isLive(record)) return true;
    on = forward ? ix.tree.next(c) : ix.tree.prev(c);
  }
  if (!on) return indexFault(ix, on.status());
  return false;
}

Status TableImpl::topIndexed(OpenIndex& ix) {
  return endIndexed(ix, true);
}

Status TableImpl::bottomIndexed(OpenIndex& ix) {
  return endIndexed(ix, false);
}

// The first (`top`) or last live record of the index; none: the phantom record, at the start.
Status TableImpl::endIndexed(OpenIndex& ix, bool top) {
  const ReadLock lock(ix.tree);
  if (!lock.status()) return lock.status();
  auto on = firstLive(ix, top, top ? ix.tree.first(ix.cursor) : ix.tree.last(ix.cursor));
  if (!on) return on.status();
  if (*on) {
    positionOn(ix.cursor.entry.recno, scratch_);
    return {};
  }
  phantom();
  bof_ = true;
  return {};
}

// Puts the cursor on the current record's entry (true), or, when the record has no entry in
// this index, on the entry that would follow it (false; the cursor may then be at the end).
Result<bool> TableImpl::syncCursor(OpenIndex& ix) {
  NtxTree::Cursor& c = ix.cursor;
  if (c.onEntry() && c.generation == ix.tree.generation() && c.entry.recno == recno_) return true;
  std::string key;
  makeKey(ix.plan, original_, today(), key);
  auto found = ix.tree.find(c, key, recno_);
  if (!found) return indexFault(ix, found.status());
  if (*found) return true;
  auto after = ix.tree.seekEntry(c, key, recno_);
  if (!after) return indexFault(ix, after.status());
  return false;
}

Status TableImpl::skipIndexed(long n) {
  OpenIndex& ix = *indexes_[order_ - 1];
  NtxTree::Cursor& c = ix.cursor;
  const ReadLock lock(ix.tree);
  if (!lock.status()) return lock.status();
  Result<bool> on = false;
  if (n > 0) {
    if (eof_) return {};
    auto exact = syncCursor(ix);
    if (!exact) return exact.status();
    on = *exact ? ix.tree.next(c) : Result<bool>(c.onEntry());
    for (long k = 0;; ++k) {
      on = firstLive(ix, true, std::move(on));
      if (!on) return on.status();
      if (!*on) {
        phantom();
        return {};
      }
      if (k + 1 >= n) break;
      on = ix.tree.next(c);
    }
  } else {
    if (eof_) {
      on = ix.tree.last(c);
    } else {
      auto exact = syncCursor(ix);
      if (!exact) return exact.status();
      on = (*exact || c.onEntry()) ? ix.tree.prev(c) : ix.tree.last(c);
    }
    for (long k = 0;; ++k) {
      on = firstLive(ix, false, std::move(on));
      if (!on) return on.status();
      if (!*on) {
        const Status s = topIndexed(ix);
        bof_ = true;
        return s;
      }
      if (k + 1 >= -n) break;
      on = ix.tree.prev(c);
    }
  }
  positionOn(c.entry.recno, scratch_);
  return {};
}

Result<bool> TableImpl::seek(std::string_view key, bool soft) {
  if (order_ == 0) return status::invalid("Zum Suchen muss ein Index aktiv sein.");
  if (Status s = flush(); !s) return s;
  if (Status s = refreshShared(); !s) return s;
  bool found = false;
  const auto move = [&]() -> Status {
    OpenIndex& ix = *indexes_[order_ - 1];
    const ReadLock lock(ix.tree);
    if (!lock.status()) return lock.status();
    const std::string wanted = seekKey(ix.plan, utf8ToCp1252(key));
    auto on = firstLive(ix, true, ix.tree.seekPrefix(ix.cursor, wanted));
    if (!on) return on.status();
    found = *on && ix.cursor.entry.key.compare(0, wanted.size(), wanted) == 0;
    if (*on && (found || soft)) {
      positionOn(ix.cursor.entry.recno, scratch_);
    } else {
      phantom();
    }
    return {};
  };
  if (Status s = withRepair(*this, move); !s) return s;
  return found;
}

}  // namespace zrv
