// The inside of Table: the open files, the current record and its pending changes, the index
// orders and the locks. Split over table_*.cpp by concern. Internal to the storage engine.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/base/clock.h"
#include "store/xbase/dbf_file.h"
#include "store/xbase/index_build.h"
#include "store/xbase/memo_file.h"
#include "store/xbase/ntx_tree.h"
#include "store/xbase/redo_journal.h"
#include "store/xbase/table.h"

namespace zrv {

struct OpenIndex {
  std::filesystem::path file;
  IndexPlan plan;
  NtxTree tree;
  NtxTree::Cursor cursor;
  bool changed = false;  // written since the last commit
  bool damaged = false;  // a move found it broken: rebuild it
};

class TableImpl {
 public:
  TableImpl(const Clock& clock, Table::Options options, DbfFile dbf, std::optional<MemoFile> memo);

  // ---- table.cpp: fields and files
  const Clock& clock_;
  Table::Options options_;
  DbfFile dbf_;
  std::optional<MemoFile> memo_;
  std::unordered_map<std::string, int> fieldByName_;  // upper-case name -> position
  bool closed_ = false;

  int field(std::string_view name) const;
  Result<int> fieldOf(std::string_view name, const char* types) const;
  std::string_view raw(int field) const { return rawIn(record_, field); }
  std::string_view rawIn(std::string_view record, int field) const;
  void putRaw(int field, std::string_view bytes);
  Result<std::string> memoText(int field) const {
    return memoIn(record_, field, recno_, pendingMemos_);
  }
  // The memo of `field` of a record's bytes; a pending text wins.
  Result<std::string> memoIn(std::string_view record, int field, std::uint32_t recno,
                             const std::map<int, std::string>& pending) const;
  Status requireRecord() const;
  bool shared() const { return options_.mode == OpenMode::kShared; }
  Date today() const { return clock_.today(); }

  // ---- the current record
  std::uint32_t recno_ = 0;
  bool eof_ = true;
  bool bof_ = true;
  std::string record_;    // as it will be written
  std::string original_;  // as it was read (its keys are the ones in the indexes)
  bool dirty_ = false;
  bool appended_ = false;                    // a new record whose keys were never written
  std::map<int, std::string> pendingMemos_;  // field -> text (Windows-1252)
  bool dbfChanged_ = false;
  bool memoChanged_ = false;

  std::string blankRecord() const;
  void phantom();
  void positionOn(std::uint32_t recno, std::string record);
  // Reads a record; `deleted` tells its flag.
  Status readRecord(std::uint32_t recno, std::string& out) const;

  // ---- table_navigation.cpp
  std::vector<std::unique_ptr<OpenIndex>> indexes_;
  int order_ = 0;

  Status goTop();
  Status goBottom();
  Status skip(long n);
  Status goTo(std::uint32_t recno);
  Result<bool> seek(std::string_view key, bool soft);
  Status refreshShared();
  Status skipNatural(long n);
  Status skipIndexed(long n);
  Result<bool> syncCursor(OpenIndex& ix);
  Result<bool> firstLive(OpenIndex& ix, bool forward, Result<bool> on) {
    return firstLiveWith(ix, ix.cursor, forward, std::move(on), scratch_);
  }
  // The same with a cursor of the caller's, reading into `record`.
  Result<bool> firstLiveWith(OpenIndex& ix, NtxTree::Cursor& c, bool forward, Result<bool> on,
                             std::string& record);
  Result<std::vector<std::uint32_t>> orderRecnos(int order);
  Result<Table::OrderPage> orderPage(int order, std::size_t fromEntry, std::size_t maxLive);
  Result<std::vector<std::uint32_t>> orderRange(int order, std::string_view fromKey,
                                                std::string_view toKey, std::size_t maxLive);
  Status topIndexed(OpenIndex& ix);
  Status bottomIndexed(OpenIndex& ix);
  Status endIndexed(OpenIndex& ix, bool top);
  Status topNatural();
  Status indexFault(OpenIndex& ix, const Status& s);
  std::string scratch_;  // the record a move is about to stand on

  // ---- table_changes.cpp
  // Exclusive use only: every change goes through the write-ahead journal (see redo_journal.h).
  // Declared after the files so that it outlives their last write.
  std::unique_ptr<RedoJournal> journal_;
  // Puts every open file under the journal (after files were opened or replaced).
  void attachJournal();
  // The files under the journal: table, memo, open indexes.
  std::vector<OsFile*> journaledFiles();
  // Commits what is held back, writes every committed change to the data files, makes them
  // durable and starts a new journal run.
  // Before a data file is replaced by a new one, when the journal is large or old, at close.
  Status checkpoint();
  // A checkpoint of what is committed, when the journal says one is due.
  Status checkpointIfDue();
  bool checkpointDue() const { return journal_ && !closed_ && journal_->checkpointDue(); }
  Status flush();
  Status updateKeys(OpenIndex& ix);
  Result<std::uint32_t> appendMemo(const std::string& text);
  Status append();
  Status setDeleted(bool deleted);
  Status commit();

  // ---- table_indexes.cpp
  // `durable` false: the new files are not synced to disk (temporary indexes).
  Status createIndexes(const std::vector<std::pair<std::filesystem::path, IndexDef>>& files,
                       bool durable = true);
  // Without `checkPages` only the header is checked (the caller rebuilds the index at once).
  Status openIndex(const std::filesystem::path& file, const IndexDef* fallback, bool checkPages);
  Status rebuildInPlace(const std::filesystem::path& file, const IndexDef& def,
                        std::unique_ptr<OpenIndex>& out);
  Status reindex();
  Status reindexOrders(const std::vector<int>& orders, bool durable);
  Status closeIndexes();
  Status closeIndex(int order);
  void note(const std::string& text) const;
  // Rebuilds a damaged open index from the table and says so through Options::onNote.
  Status repair(OpenIndex& ix, const Status& cause);

  // ---- table_pack.cpp
  Status pack();

  // ---- table_verify.cpp
  // The open end of the last session was not clean (a journal was found, records beyond the
  // header's count were taken in): the caller should verify().
  bool uncleanEnd_ = false;
  std::uint32_t adopted_ = 0;    // records behind the header's count taken in at the open
  std::string journalSetAside_;  // what the open said of a journal it set aside
  // Rebuilds every open index whose entries are not exactly the keys of the table's records,
  // and corrects a memo header whose next free block lies inside the file; each with a note.
  Status verify();
  Result<bool> indexMatches(OpenIndex& ix);
  Status verifyMemoHeader();

  // ---- table_changes.cpp: locks
  std::set<std::uint32_t> locks_;
  bool fileLocked_ = false;
  Status lockRecord(std::uint32_t recno);
  void unlockRecord(std::uint32_t recno);
  Status lockFile();
  void unlockAll();
};

// Temporary and marker names used while files are replaced: "<name>.~nx" for a new index,
// "<name>.~pk" for a packed file, "<table name>.~pack" and "<table name>.~ix" for the lists of
// files of a pack or an index rebuild whose new files are complete.
std::filesystem::path withSuffix(const std::filesystem::path& file, const char* suffix);

// Opens a new empty file for a replacement and takes the share lock of `mode` on it.
Result<OsFile> createReplacement(const std::filesystem::path& temp, OpenMode mode);

// Whether a pack of `table` left its marker (it was cut short, or is running elsewhere).
bool pendingPack(const std::filesystem::path& table);
// Finishes (exclusive) or reports (shared) a pack that a crash interrupted. The caller holds
// the table's share lock, which a running pack would not have let it take.
Status recoverPack(const std::filesystem::path& table, OpenMode mode);

// The marker of an index rebuild of `table`, and the completion of one that was cut short
// (in exclusive use; a shared open leaves it, every index file being usable either way).
std::filesystem::path indexMarker(const std::filesystem::path& table);
Status recoverIndexes(const std::filesystem::path& table, OpenMode mode);

}  // namespace zrv
