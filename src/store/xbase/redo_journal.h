// The write-ahead journal of an exclusively opened table ("<table>.~jn"). Files under the journal
// hold their writes back (OsFile::pending); a commit puts every held-back byte of the table, its
// memo and its indexes into one checksummed transaction, flushes the journal, and only then
// writes the bytes to the data files, which are flushed at checkpoints (journal size or age,
// close, pack), after which the journal starts a new run. After a crash, opening the table
// replays the complete transactions of the last run in order. The journal names the generation
// of the files it belongs to; a journal of another generation is set aside, never applied.
// The format is described in docs/journal-format.md. Internal to the engine.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/base/status.h"
#include "store/xbase/os_file.h"

namespace zrv {

class RedoJournal {
 public:
  // When a checkpoint is due: the journal holds more than `bytes`, or its run is older than
  // `age` at a commit.
  struct Limits {
    std::size_t bytes = 1u << 20;
    std::chrono::steady_clock::duration age = std::chrono::seconds(30);
  };

  explicit RedoJournal(const std::filesystem::path& table) : RedoJournal(table, Limits{}) {}
  RedoJournal(const std::filesystem::path& table, Limits limits);
  ~RedoJournal();
  RedoJournal(const RedoJournal&) = delete;
  RedoJournal& operator=(const RedoJournal&) = delete;

  // The journal file that belongs to a table.
  static std::filesystem::path fileFor(const std::filesystem::path& table);

  // The file (the memo file) whose header's spare bytes carry the generation, so that a journal
  // is never applied to another copy of the files; null: the table's identity alone.
  void setStampFile(OsFile* file) { stampFile_ = file; }

  // Writes the held-back bytes of `files` as one transaction, flushes the journal, then writes
  // them to the files (no flush). Nothing held back: nothing happens.
  Status commit(const std::vector<OsFile*>& files);
  // Whether the caller should checkpoint: sync the data files, then reset().
  bool checkpointDue() const;
  // The data files are durable (the caller synced them): the transactions are obsolete.
  Status reset();
  // The table closes with its data files durable, or its files are replaced: the journal file
  // goes (the next commit starts a new generation).
  Status discard();
  // Whether transactions were written since the last reset.
  bool dirty() const { return file_.has_value() && end_ > kFirstRecord; }

  // Replays the complete transactions of a journal left by a crash, makes the files durable
  // and removes the journal. A journal of other files (another generation, or a table file that
  // was replaced) is renamed to "<table>.~jx" and not applied.
  struct Recovery {
    int applied = 0;        // transactions replayed
    bool setAside = false;  // the journal did not belong to these files
    int skippedWrites = 0;  // writes to a file that is gone or not beside the table
  };
  static Result<Recovery> recover(const std::filesystem::path& table);

  // Where transactions start in the file; the journal's header lies before.
  static constexpr std::uint64_t kFirstRecord = 512;

  // The bytes of a journal header and of one transaction (for tests and the fuzzer).
  struct Identity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
  };
  static std::string encodeHeader(std::uint64_t generation, std::uint32_t run,
                                  const Identity& table, const std::string& stampName);
  struct Write {
    std::string file;
    std::uint64_t offset = 0;
    std::string bytes;
  };
  static std::string encodeTransaction(std::uint64_t generation, std::uint32_t run,
                                       std::uint32_t sequence, const std::vector<Write>& writes);
  // The identity of a file (device and inode); nothing when it cannot be read.
  static std::optional<Identity> identityOf(const std::filesystem::path& file);
  // Where a memo file keeps the generation: spare bytes of its header block.
  static constexpr std::uint64_t kStampOffset = 504;

 private:
  Status start();
  Status writeHeader();

  std::filesystem::path table_;
  std::filesystem::path path_;
  Limits limits_;
  OsFile* stampFile_ = nullptr;
  std::optional<OsFile> file_;
  std::uint64_t generation_ = 0;
  std::uint32_t run_ = 0;
  std::uint32_t sequence_ = 0;
  std::uint64_t end_ = kFirstRecord;  // where the next transaction goes
  std::uint64_t allocated_ = 0;       // bytes of the file written once (zeros or records)
  Identity identity_;
  std::string stampName_;
  std::chrono::steady_clock::time_point runStart_;
};

}  // namespace zrv
