// The redo journal of an exclusively opened table ("<table>.~jn"): every byte range written to
// the table, memo and index files between two commits goes into one checksummed record, and
// a commit flushes only that record to disk (one flush, however many files changed). The
// data files themselves are flushed when the journal starts over and when the table closes.
// After a crash, opening the table applies the complete records again. Internal to the engine.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/base/status.h"
#include "store/xbase/os_file.h"

namespace zrv {

class RedoJournal {
 public:
  // The journal of the table `table`; the file is made at the first commit. `capacity` bytes
  // are reserved for records; a full journal starts over after flushing the data files.
  explicit RedoJournal(const std::filesystem::path& table, std::size_t capacity = 1u << 20);
  ~RedoJournal();
  RedoJournal(const RedoJournal&) = delete;
  RedoJournal& operator=(const RedoJournal&) = delete;

  // The journal file that belongs to a table.
  static std::filesystem::path fileFor(const std::filesystem::path& table);

  // Remembers a write for the next commit. `file` is the name the write goes to, relative to
  // the table's directory (or absolute).
  void note(const std::string& file, std::uint64_t offset, std::string_view bytes);
  // The size of the table file after the changes noted so far (checked when recovering).
  void setTableSize(std::uint64_t size) { tableSize_ = size; }

  // Makes the noted writes durable: one record, one flush. When the journal is full (or the
  // record larger than it), `syncData` must first make every data file durable; the journal
  // then starts over.
  Status commit(const std::function<Status()>& syncData);
  // The data files are durable (the caller synced them): the records are obsolete and the
  // notes are dropped. Needed before a data file is replaced by another.
  Status reset();
  // The table closes with its data files durable: the journal file goes.
  Status discard();

  // Whether anything was written since the journal (re)started: then the data files must be
  // synced before the journal may go.
  bool dirty() const { return file_.has_value() || !notes_.empty() || overflow_; }

  // Applies the complete records of a journal left by a crash to the files, makes them durable
  // and removes the journal. Nothing is applied when the table file has grown beyond the
  // size the last record names (another program changed it since); the journal is dropped
  // then too (`dropped`).
  struct Recovery {
    int applied = 0;  // records with changes
    bool dropped = false;
  };
  static Result<Recovery> recover(const std::filesystem::path& table);

 private:
  struct Write {
    std::string file;
    std::uint64_t offset;
    std::string bytes;
  };
  Status ensureFile();
  std::string encodeRecord(const std::vector<Write>& writes) const;
  Status writeRecord(const std::string& record);

  std::filesystem::path path_;
  std::size_t capacity_;
  std::optional<OsFile> file_;
  std::vector<Write> notes_;
  std::size_t notedBytes_ = 0;
  // More was written than one record can hold: the notes were dropped and the next commit
  // syncs the data files themselves.
  bool overflow_ = false;
  std::uint64_t tableSize_ = 0;
  std::uint32_t generation_ = 0;
  std::uint32_t sequence_ = 0;
  std::uint64_t end_ = 0;  // where the next record goes
};

}  // namespace zrv
