// Writing the current record: memos, the record itself and the keys of every open index;
// appending, deleting and committing.
#include "store/xbase/table_impl.h"
#include "store/xbase/xbase_layout.h"

namespace zrv {

Status TableImpl::flush() {
  if (!dirty_ || eof_ || recno_ == 0) {
    dirty_ = false;
    return {};
  }
  for (auto it = pendingMemos_.begin(); it != pendingMemos_.end();) {
    if (!memo_) return status::invalid("Die Tabelle hat keine Memodatei.");
    auto block = appendMemo(it->second);
    if (!block) return block.status();
    memoChanged_ = true;
    putRaw(it->first, formatMemoBlock(*block));
    it = pendingMemos_.erase(it);
  }
  if (Status s = dbf_.writeRecord(recno_, record_); !s) return s;
  dbfChanged_ = true;
  for (auto& ix : indexes_) {
    Status s = updateKeys(*ix);
    if (s.code() == StatusCode::kCorrupt) s = repair(*ix, s);  // the rebuild sees this record
    if (!s) return s;
  }
  original_ = record_;
  dirty_ = false;
  appended_ = false;
  return {};
}

// In shared use another program may append memos too: the next free block is read under the
// memo file's lock.
Result<std::uint32_t> TableImpl::appendMemo(const std::string& text) {
  if (!shared()) return memo_->append(text);
  OsFile& f = memo_->file();
  if (Status s = f.rangeLock(xbase::lock::kMemo, 1, true, xbase::lock::kPatienceMs); !s) return s;
  Status s = memo_->refresh();
  Result<std::uint32_t> block = s ? memo_->append(text) : Result<std::uint32_t>(s);
  f.rangeUnlock(xbase::lock::kMemo, 1);
  return block;
}

// The record's old entry goes, the new one comes if the condition holds now.
Status TableImpl::updateKeys(OpenIndex& ix) {
  const ExprToday now(today());
  std::string newKey;
  makeKey(ix.plan, record_, now, newKey);
  const bool wanted = wantsKey(ix.plan, record_, now);
  if (Status s = ix.tree.beginWrite(); !s) return s;
  struct Unlock {
    NtxTree& t;
    ~Unlock() { t.end(); }
  } unlock{ix.tree};
  if (!appended_) {
    std::string oldKey;
    makeKey(ix.plan, original_, now, oldKey);
    if (oldKey != newKey || !wanted) {
      auto removed = ix.tree.remove(oldKey, recno_);
      if (!removed) return indexFault(ix, removed.status());
      ix.changed = ix.changed || *removed;
    }
  }
  if (!wanted) return {};
  // Unchanged, or written by a flush that failed half-way: an entry is never there twice.
  NtxTree::Cursor probe;
  auto present = ix.tree.find(probe, newKey, recno_);
  if (!present) return indexFault(ix, present.status());
  if (*present) return {};
  if (ix.plan.def.unique) {
    auto taken = ix.tree.containsKey(newKey);
    if (!taken) return indexFault(ix, taken.status());
    if (*taken) return {};
  }
  ix.changed = true;
  if (Status s = ix.tree.insert(newKey, recno_); !s) return indexFault(ix, s);
  return {};
}

Status TableImpl::append() {
  if (Status s = flush(); !s) return s;
  const long long appendLock = xbase::lock::kAppend;
  if (shared()) {
    if (Status s = dbf_.file().rangeLock(appendLock, 1, true, xbase::lock::kPatienceMs); !s) {
      return s;
    }
  }
  struct Release {
    TableImpl& t;
    long long at;
    ~Release() {
      if (t.shared()) t.dbf_.file().rangeUnlock(at, 1);
    }
  } release{*this, appendLock};
  if (Status s = refreshShared(); !s) return s;
  std::string blank = blankRecord();
  // The new record reaches the file marked deleted: should its content never follow (a crash,
  // a failed flush), no blank appointment appears. Its first flush writes it live.
  std::string placeholder = blank;
  placeholder[0] = xbase::dbf::kDeleted;
  if (Status s = dbf_.appendRecord(placeholder, today()); !s) return s;
  dbfChanged_ = true;
  const std::uint32_t recno = dbf_.recordCount();
  if (shared()) (void)lockRecord(recno);
  positionOn(recno, std::move(blank));
  appended_ = true;
  dirty_ = true;  // its keys are written with the first flush
  return {};
}

Status TableImpl::setDeleted(bool deleted) {
  if (Status s = requireRecord(); !s) return s;
  if (Status s = flush(); !s) return s;
  const char flag = deleted ? xbase::dbf::kDeleted : xbase::dbf::kActive;
  if (Status s = dbf_.file().writeAt(dbf_.recordOffset(recno_), &flag, 1); !s) return s;
  record_[0] = original_[0] = flag;
  dbfChanged_ = true;
  return {};
}

namespace {

// The name a file's writes carry in the journal: relative to the table's directory.
std::string journalName(const std::filesystem::path& file, const std::filesystem::path& dir) {
  const std::filesystem::path rel = file.lexically_relative(dir);
  return rel.empty() ? file.string() : rel.string();
}

}  // namespace

void TableImpl::attachJournal() {
  if (!journal_) return;
  const std::filesystem::path dir = dbf_.path().parent_path();
  dbf_.file().journalTo(journal_.get(), journalName(dbf_.path(), dir));
  if (memo_) memo_->file().journalTo(journal_.get(), journalName(memo_->path(), dir));
  for (auto& ix : indexes_) {
    ix->tree.file().journalTo(journal_.get(), journalName(ix->file, dir));
  }
  journal_->setStampFile(memo_ ? &memo_->file() : nullptr);
}

std::vector<OsFile*> TableImpl::journaledFiles() {
  std::vector<OsFile*> files{&dbf_.file()};
  if (memo_) files.push_back(&memo_->file());
  for (auto& ix : indexes_) {
    if (ix->tree.file().isOpen()) files.push_back(&ix->tree.file());
  }
  return files;
}

Status TableImpl::checkpoint() {
  if (!journal_) return {};
  const std::vector<OsFile*> files = journaledFiles();
  if (Status s = journal_->commit(files); !s) return s;
  if (!journal_->dirty()) return {};
  if (Status s = journal_->checkpoint(files); !s) return s;
  dbfChanged_ = memoChanged_ = false;
  for (auto& ix : indexes_)
    ix->changed = false;
  return {};
}

Status TableImpl::checkpointIfDue() {
  if (!checkpointDue()) return {};
  return journal_->checkpoint(journaledFiles());
}

Status TableImpl::commit() {
  if (Status s = flush(); !s) return s;
  if (journal_) {
    if (Status s = journal_->commit(journaledFiles()); !s) return s;
    if (journal_->checkpointDue()) return checkpoint();
    return {};
  }
  std::vector<OsFile*> files;
  if (dbfChanged_) files.push_back(&dbf_.file());
  if (memoChanged_ && memo_) files.push_back(&memo_->file());
  for (auto& ix : indexes_) {
    if (ix->changed) files.push_back(&ix->tree.file());
  }
  if (files.empty()) return {};
  if (Status s = syncFiles(files); !s) return s;
  dbfChanged_ = memoChanged_ = false;
  for (auto& ix : indexes_)
    ix->changed = false;
  return {};
}

// ---- locks ------------------------------------------------------------------------------

Status TableImpl::lockRecord(std::uint32_t recno) {
  if (recno == 0 || recno > dbf_.recordCount()) {
    return status::invalid("Datensatz " + std::to_string(recno) + " gibt es nicht.");
  }
  if (locks_.count(recno) || fileLocked_) return {};
  if (shared()) {
    const Status s = dbf_.file().rangeLock(xbase::lock::kBase + recno, 1, true);
    if (s.code() == StatusCode::kLocked) return status::lockedRecord(dbf_.path(), recno);
    if (!s) return s;
  }
  locks_.insert(recno);
  return {};
}

void TableImpl::unlockRecord(std::uint32_t recno) {
  if (!locks_.erase(recno)) return;
  // Under a file lock the byte belongs to it as well and stays locked.
  if (shared() && !fileLocked_) dbf_.file().rangeUnlock(xbase::lock::kBase + recno, 1);
}

Status TableImpl::lockFile() {
  if (fileLocked_) return {};
  if (shared()) {
    // Our own record locks would not conflict with the file lock, but they are covered by it.
    const Status s = dbf_.file().rangeLock(xbase::lock::kFileStart, xbase::lock::kFileLength, true);
    if (!s) return s;
  }
  fileLocked_ = true;
  return {};
}

void TableImpl::unlockAll() {
  if (shared() && dbf_.file().isOpen()) {
    for (std::uint32_t r : locks_)
      dbf_.file().rangeUnlock(xbase::lock::kBase + r, 1);
    if (fileLocked_) {
      dbf_.file().rangeUnlock(xbase::lock::kFileStart, xbase::lock::kFileLength);
    }
  }
  locks_.clear();
  fileLocked_ = false;
}

}  // namespace zrv
