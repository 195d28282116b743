// The write-ahead journal of an exclusively opened table ("<table>.~jn"). Files under the journal
// hold their writes back (OsFile); a commit puts every change of the table, its memo and its
// indexes into one checksummed transaction, written into space the journal file already owns
// and flushed with one in-place sync. The changes then stay committed in memory until a
// checkpoint (journal size or age, close, pack) writes them to the data files and flushes them,
// after which the journal starts a new run in the same space. After a crash, opening the table
// replays the complete transactions of the last run in order. The journal names the generation
// of the files it belongs to; a journal of other files, a damaged one and one that would write
// where it must not are set aside, never applied blindly.
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
  // `age` at a commit. The journal file owns `bytes` and a little more.
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

  // Writes the pending changes of `files` as one transaction and flushes the journal; the
  // changes are then committed in the files (written to them at the next checkpoint). A
  // transaction that does not fit into the journal's space checkpoints `files` first. Nothing
  // changed: nothing happens.
  Status commit(const std::vector<OsFile*>& files);
  // Whether the caller should checkpoint.
  bool checkpointDue() const;
  // Writes the committed changes of `files` to them and makes them durable; the journal's
  // transactions are then obsolete and a new run starts.
  Status checkpoint(const std::vector<OsFile*>& files);
  // The table closes with its data files durable, or its files are replaced: the journal file
  // goes (the next commit starts a new generation).
  Status discard();
  // Whether transactions were written since the last checkpoint.
  bool dirty() const { return file_.has_value() && end_ > kFirstRecord; }

  // Replays the complete transactions of a journal left by a crash, makes the files durable
  // and removes the journal. A journal that is not replayed whole is renamed to "<table>.~jx":
  // one of other files (another generation, or a table file that was replaced) and one that
  // would write where it must not are not applied at all; of a damaged one, the intact
  // transactions before the damage are.
  struct Recovery {
    enum class Aside { kNo, kForeign, kDamaged, kUnsafe };
    int applied = 0;        // transactions replayed
    bool setAside = false;  // renamed to "<table>.~jx"
    Aside why = Aside::kNo;
    std::string unsafe;     // kUnsafe: what it would have done (German)
    int skippedWrites = 0;  // writes to a file that is gone
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
  Status own(std::uint64_t size);
  Status newRun();

  std::filesystem::path table_;
  std::filesystem::path path_;
  Limits limits_;
  OsFile* stampFile_ = nullptr;
  std::optional<OsFile> file_;
  std::uint64_t generation_ = 0;
  std::uint32_t run_ = 0;
  std::uint32_t sequence_ = 0;
  std::uint64_t end_ = kFirstRecord;  // where the next transaction goes
  std::uint64_t owned_ = 0;           // bytes of the file allocated and written once
  Identity identity_;
  std::string stampName_;
  std::chrono::steady_clock::time_point runStart_;
};

}  // namespace zrv
