// One open dBASE III table with its DBT memo file and NTX index orders, worked with the xBase
// way: a current record, a controlling order, navigation that hides deleted records, fields
// read and written by name, and record changes that keep every open index current.
//
// Files: the table (any extension, e.g. ZORVANE.TER), its memo file (same stem, ".DBT", found
// without regard to case) when the table has memo fields, and any number of NTX files.
// Exclusive and shared opening use flock; record locks are byte-range locks at the offsets
// other xBase programs use, so two programs on one directory exclude each other.
//
// A Table is used by one thread. It keeps one descriptor per file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/base/status.h"
#include "store/xbase/index_def.h"
#include "store/xbase/table_structure.h"
#include "store/xbase/value.h"

namespace zrv {

class Clock;
class TableImpl;

enum class OpenMode { kShared, kExclusive };

// One record read without moving the table's current record: its bytes as they were when
// read (the current record with its pending changes), its fields decoded like the table's
// getters. Valid while its table is open (memos are read from the table's memo file).
class RecordView {
 public:
  std::uint32_t recNo() const { return recno_; }
  bool isDeleted() const;
  bool hasField(std::string_view name) const;
  Result<std::string> getString(std::string_view field) const;
  Result<double> getNumber(std::string_view field) const;
  Result<Date> getDate(std::string_view field) const;
  Result<bool> getLogical(std::string_view field) const;

 private:
  friend class Table;
  RecordView(const TableImpl* impl, std::uint32_t recno, std::string record,
             std::map<int, std::string> memos)
      : impl_(impl), recno_(recno), record_(std::move(record)), memos_(std::move(memos)) {}
  const TableImpl* impl_;
  std::uint32_t recno_;
  std::string record_;
  std::map<int, std::string> memos_;  // pending memo texts of the current record
};

class Table {
 public:
  struct Options {
    OpenMode mode = OpenMode::kShared;
    // The work-area name that "ALIAS->FIELD" may use in expressions; empty: the file's stem in
    // upper case. Case does not matter.
    std::string alias;
    // Called with a German text (a logbook line) whenever a damaged or foreign index was
    // rebuilt from the table, a journal was replayed or set aside, or records behind the
    // header's count were taken in. May be empty.
    std::function<void(const std::string&)> onNote;
    // Exclusive use: the write-ahead journal's size after which a commit makes the data files
    // durable and starts the journal over; 0: every commit reaches the data files at once.
    std::size_t journalCheckpointBytes = 1u << 20;
  };

  // Creates a new, empty table (and its memo file when `fields` has an M field). Fails with
  // kExists when the table file exists and leaves it alone. Field names are stored upper case.
  // The clock gives the header's date of last update. Does not open the table.
  static Status create(const std::filesystem::path& file, const Structure& fields,
                       const Clock& clock);

  // Opens a table. Damaged or truncated files are reported (kCorrupt) and never written to.
  // kLocked when the mode conflicts with another opener. `clock` must outlive the table; it
  // gives date() in index conditions and the header's date of last update.
  // A pack or a session that a crash cut short is finished first (the committed changes of the
  // journal applied); that needs exclusive mode, a shared open is refused with kLocked then.
  static Result<std::unique_ptr<Table>> open(const std::filesystem::path& file, const Clock& clock,
                                             Options options);

  // Writes pending changes (best effort; call close() to learn of failures).
  ~Table();
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  // Writes pending changes (in exclusive use also to disk, ending the journal) and releases
  // locks, indexes and files. The table is unusable after.
  Status close();

  // ---- structure ------------------------------------------------------------------------
  const std::filesystem::path& file() const;
  OpenMode mode() const;
  const std::string& alias() const;
  const Structure& structure() const;
  int fieldCount() const;
  // Position of the field (0-based), -1 when the table has no such field. Case-insensitive.
  int fieldIndex(std::string_view name) const;
  bool hasField(std::string_view name) const { return fieldIndex(name) >= 0; }

  // ---- index orders ---------------------------------------------------------------------
  // Orders are numbered 1, 2, ... in the order their files were opened or created; order 0 is
  // the natural order (record numbers).

  // Builds index files from all records (an existing file is replaced once the new one is
  // complete) and adds them as the next orders. Indexes with the same key expression share one
  // sort, so building several at once is cheaper. date() in a condition is the clock's today.
  // Afterwards the first new order controls and the table is on its first record.
  Status createIndex(const std::filesystem::path& file, const IndexDef& def);
  Status createIndexes(const std::vector<std::pair<std::filesystem::path, IndexDef>>& files);

  // Opens an existing index file as the next order; it is kept current with the key and
  // condition read from its own header. A damaged or foreign file (or one whose expressions
  // cannot be evaluated on this table) is rebuilt with `fallback` and reported through
  // Options::onNote; without a fallback it is an error. kMissing when the file does not exist.
  // The first order opened becomes the controlling one.
  Status openIndex(const std::filesystem::path& file, const IndexDef* fallback = nullptr);
  // Like openIndex, for an index that the caller rebuilds (reindex) before anything reads or
  // changes it: only its header is checked, not its pages.
  Status openIndexToRebuild(const std::filesystem::path& file, const IndexDef* fallback);
  // Like openIndex without reading every page first: for a short run that only reads (the
  // command line's --next), whose cost must not grow with the table. Damage is then met, and
  // reported, by the reads themselves.
  Status openIndexUnchecked(const std::filesystem::path& file, const IndexDef* fallback);

  // Like createIndex, for an index file that is deleted again after use: it is not made
  // durable (no disk sync), so building it costs no more than the reading and sorting.
  Status createTemporaryIndex(const std::filesystem::path& file, const IndexDef& def);

  // Closes all index files; the natural order controls.
  Status closeIndexes();
  // Closes the index order `order` (1..orderCount()); its file stays. The orders after it move
  // up by one; when it controlled, the natural order controls, otherwise the controlling index
  // stays in control. The current record stays.
  Status closeIndex(int order);
  // Rebuilds every open index from the table (with the expressions each one holds).
  Status reindex();
  // Rebuilds the given orders (1..orderCount()) only, in one pass over the table; the
  // controlling order stays, the current record is left unpositioned (go to one after).
  // Without `durable` the new files are not flushed to disk: for indexes that are built anew
  // at every open anyway (a crash leaves at worst a damaged file, rebuilt then).
  Status reindex(const std::vector<int>& orders, bool durable = true);

  int orderCount() const;
  int order() const;
  // Makes `order` (0..orderCount()) the controlling order; the current record stays.
  Status setOrder(int order);
  // Key and condition of an order (1..orderCount()), as stored in its header.
  const IndexDef& indexDef(int order) const;
  const std::filesystem::path& indexFile(int order) const;

  // ---- navigation -----------------------------------------------------------------------
  // Every move first writes pending changes of the current record. Deleted records are
  // skipped. After a move past the last record eof() is true and the table stands on the
  // "phantom" record recCount() + 1 whose fields read as empty values.
  Status goTop();
  Status goBottom();
  // Moves n records in the controlling order (negative: backwards). Moving before the first
  // record stays on it and sets bof().
  Status skip(long n = 1);
  // Goes to record `recno` whatever the order, even a deleted one (see isDeleted()); out of
  // range gives eof().
  Status goTo(std::uint32_t recno);
  // Looks for `key` (UTF-8) in the controlling order, comparing over the length of `key` (a
  // shorter key finds the first entry starting with it). Found: stands on that record and
  // returns true. Not found: returns false and stands on eof(), or with `soft` on the first
  // entry above the key (eof() when there is none). Needs an index order.
  Result<bool> seek(std::string_view key, bool soft = false);

  bool eof() const;
  bool bof() const;
  std::uint32_t recNo() const;
  // Number of records in the file, deleted ones included.
  std::uint32_t recCount() const;
  bool isDeleted() const;

  // ---- reading without moving -------------------------------------------------------------
  // What many readers (the list, the week overview, the calendar, printing) use, so that the
  // current record, shared with whoever changes records, stays where it is.

  // The record `recno`, deleted or not; kInvalidArgument outside 1..recCount().
  Result<RecordView> readAt(std::uint32_t recno);
  // The record numbers of `order` (0: natural order) from its first to its last entry,
  // deleted records left out. Pending changes are written first; a damaged index is rebuilt
  // and walked again, as a move would.
  Result<std::vector<std::uint32_t>> orderRecnos(int order);

  // The record numbers of the entries of `order` (1..orderCount()) whose keys lie from
  // `fromKey` to `toKey` (UTF-8), each bound compared over its own length as seek() compares,
  // deleted records left out, at most `maxLive` of them. Costs the descent to the first key and
  // the entries in the range, not the whole order.
  Result<std::vector<std::uint32_t>> orderRange(int order, std::string_view fromKey,
                                                std::string_view toKey,
                                                std::size_t maxLive = static_cast<std::size_t>(-1));

  // One stretch of an order, for lists that show the first rows at once and the rest as they
  // are scrolled to: from its entry `fromEntry` (deleted records counted) up to `maxLive`
  // records that are not deleted. `nextEntry` continues the walk; `atEnd` when there is no
  // more. Entries are skipped without reading their records, so a stretch costs what it holds.
  struct OrderPage {
    std::vector<std::uint32_t> recnos;
    std::size_t nextEntry = 0;
    bool atEnd = false;
  };
  Result<OrderPage> orderPage(int order, std::size_t fromEntry, std::size_t maxLive);

  // ---- fields of the current record -----------------------------------------------------
  // Errors: unknown field, wrong type (kInvalidArgument); unreadable memo (kCorrupt). On the
  // phantom record every field is empty.

  // C and M fields in UTF-8: a C field without its trailing blanks, a memo as stored.
  Result<std::string> getString(std::string_view field) const;
  // Any field's bytes as stored in the record (Windows-1252, full width, blanks kept; for a
  // memo field its block number).
  Result<std::string> getRaw(std::string_view field) const;
  // N field; blanks read as 0.
  Result<double> getNumber(std::string_view field) const;
  Result<Date> getDate(std::string_view field) const;
  // L field: T t Y y are true, anything else false.
  Result<bool> getLogical(std::string_view field) const;
  // Any field as a Value of its type (C, M: std::string UTF-8 trimmed; N: double; D; L).
  Result<Value> get(std::string_view field) const;

  // Setters change the current record; the change reaches the files (and the indexes) at the
  // next move, flush(), commit() or close(). Not allowed on the phantom record.
  // C: converted to Windows-1252 and cut to the width. M: the memo text (kept until written,
  // then appended to the memo file). Empty text empties the field.
  Status setString(std::string_view field, std::string_view utf8);
  // N: kInvalidArgument when the value does not fit the width and decimals.
  Status setNumber(std::string_view field, double value);
  Status setDate(std::string_view field, const Date& value);
  Status setLogical(std::string_view field, bool value);
  // Sets from a Value of the field's type.
  Status set(std::string_view field, const Value& value);

  // ---- record changes -------------------------------------------------------------------
  // Adds a blank record at the end and makes it current (its keys are written with its first
  // flush). In shared mode the append is done under the table's append lock and the new
  // record is locked for the caller.
  Status append();
  // Marks the current record deleted: it disappears from navigation at once; the indexes keep
  // its keys until pack() or a rebuild.
  Status deleteRecord();
  // Unmarks the current record.
  Status recall();
  // Writes the pending changes of the current record to the files and the indexes (no disk
  // sync).
  Status flush();
  // flush(), then makes every change so far durable; only then does it survive a crash or a
  // power failure. Exclusive use: the files hold their writes back until the commit puts all
  // of them as one transaction into the table's write-ahead journal ("<table>.~jn"), whose
  // flush is the only disk flush. The committed changes stay in memory (reads see them) until
  // a checkpoint writes them to the data files and flushes those: when the journal is large,
  // when its run is older than 30 seconds at a commit or at checkpointIfDue(), and at close().
  // The next exclusive open replays a journal that a crash left: a change is there whole or
  // not at all. Shared use: every changed file is flushed (fdatasync).
  Status commit();
  // Exclusive use, for idle moments: writes the committed changes to the data files and makes
  // them durable when a checkpoint is due, so that the files do not lag behind for long.
  // Changes not yet committed stay as they are.
  Status checkpointIfDue();
  // Whether checkpointIfDue() would write to the data files now.
  bool checkpointDue() const;
  // Removes deleted records: writes the table, its memo file (only live memos) and every open
  // index anew beside the old files and puts them in place only when all are complete.
  // Needs exclusive mode. Afterwards the table is on its first record.
  Status pack();

  // ---- after a crash ---------------------------------------------------------------------
  // Whether the open found that the last session did not end cleanly (a journal of it was
  // replayed or set aside).
  bool uncleanEnd() const;
  // Records the open found behind the header's count and took in (exclusive use; the table was
  // first copied to "<table>.BAK"). The indexes must then be verified.
  std::uint32_t adoptedRecords() const;
  // When the open set a journal aside as "<table>.~jx" (of other files, damaged, or wanting to
  // write where it must not), the German text that says so (also given to Options::onNote);
  // empty otherwise.
  const std::string& journalSetAside() const;
  // Checks every open index against the table (each record that meets the index's condition
  // exactly once, under its key) and the memo header's next free block; rebuilds or corrects
  // what does not match and says so through Options::onNote. Exclusive use.
  Status verify();
  // Whether the order's index (1..orderCount()) holds exactly the keys of the table's records;
  // changes nothing.
  Result<bool> indexMatches(int order);

  // ---- locks ----------------------------------------------------------------------------
  // Record and file locks exclude other programs (and other Table objects of this program).
  // They never wait: kLocked when someone else holds the lock. In exclusive mode they always
  // succeed. Locks are released by unlock*, close() and pack().
  Status lockRecord(std::uint32_t recno);
  Status lockRecord() { return lockRecord(recNo()); }
  void unlockRecord(std::uint32_t recno);
  Status lockFile();
  void unlockAll();
  bool holdsLock(std::uint32_t recno) const;

 private:
  explicit Table(std::unique_ptr<TableImpl> impl);
  std::unique_ptr<TableImpl> impl_;
};

}  // namespace zrv
