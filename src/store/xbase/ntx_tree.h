// The B-tree of one NTX file: navigation with cursors, insertion and removal of (key, record)
// entries, a structural check, and the locking protocol for shared use. Entries are kept in
// (key bytes, record number) order, so equal keys stand in record-number order. Pages are
// cached decoded and written through. Knows nothing about expressions. Internal to the engine.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "store/base/status.h"
#include "store/xbase/ntx_format.h"
#include "store/xbase/os_file.h"

namespace zrv {

class NtxTree {
 public:
  struct Entry {
    std::string key;
    std::uint32_t recno = 0;
  };
  // A position on one entry. Valid only while the tree's generation is unchanged.
  struct Cursor {
    std::vector<std::pair<std::uint32_t, int>> path;  // (page, slot); the last one is the entry
    std::uint64_t generation = 0;
    Entry entry;
    bool onEntry() const { return !path.empty(); }
  };

  // Takes over an open NTX file and reads its header. `shared`: other programs may change the
  // file; every operation is then bracketed by begin*/end and re-reads the header.
  static Result<NtxTree> open(OsFile file, bool shared);
  // Writes a complete new index into the empty file `file` from entries already in order.
  // The header's root, free page and version are filled in.
  struct KeyRef {
    const char* key;  // header.keySize bytes
    std::uint32_t recno;
  };
  static Result<NtxTree> build(OsFile file, NtxHeader header, const std::vector<KeyRef>& entries,
                               bool shared);

  const NtxHeader& header() const { return header_; }
  OsFile& file() { return file_; }
  const std::filesystem::path& path() const { return file_.path(); }
  std::uint64_t generation() const { return generation_; }
  int keySize() const { return header_.keySize; }

  // Walks the whole tree: page format, equal leaf depth, key order, no page twice, record
  // numbers 1..recordCount. A broken free chain is dropped (its pages stay unused).
  Status check(std::uint32_t recordCount);

  // Shared use: a read or write lock on the index and a fresh header (cached pages are dropped
  // when another program changed the file). No-ops when not shared.
  Status beginRead();
  Status beginWrite();
  void end();

  // Each returns true when the cursor stands on an entry, false at either end.
  Result<bool> first(Cursor& c);
  Result<bool> last(Cursor& c);
  Result<bool> next(Cursor& c);
  Result<bool> prev(Cursor& c);
  // The first entry whose key, compared over prefix.size() bytes, is not below `prefix`.
  Result<bool> seekPrefix(Cursor& c, std::string_view prefix);
  // The first entry not below (key, recno); key is keySize bytes.
  Result<bool> seekEntry(Cursor& c, std::string_view key, std::uint32_t recno);

  // Stands on the entry (key, recno) and returns true; false when there is none (the cursor
  // is then undefined).
  Result<bool> find(Cursor& c, std::string_view key, std::uint32_t recno);

  // key is exactly keySize bytes. Writes the changed pages and the header.
  Status insert(std::string_view key, std::uint32_t recno);
  // False when the entry is not there (then nothing is written).
  Result<bool> remove(std::string_view key, std::uint32_t recno);
  // Whether any entry has this key (for unique indexes).
  Result<bool> containsKey(std::string_view key);

 private:
  static constexpr std::size_t kMaxDepth = 48;  // far beyond any real tree; stops a cycle
  using PagePtr = std::shared_ptr<const NtxPage>;
  NtxTree(OsFile file, NtxHeader header, bool shared)
      : file_(std::move(file)), header_(std::move(header)), shared_(shared) {}

  Result<PagePtr> page(std::uint32_t offset);
  Status store(const NtxPage& p);
  Result<std::uint32_t> allocate();
  Status release(std::uint32_t offset);
  Status writeHeaderStart();
  Status refreshHeader();
  Status fileEnd();

  Result<bool> descendLeftmost(Cursor& c, std::uint32_t offset);
  Result<bool> descendRightmost(Cursor& c, std::uint32_t offset);
  Result<bool> settle(Cursor& c);
  Result<bool> fill(Cursor& c);
  template <class Below>
  Result<bool> lowerBound(Cursor& c, Below below);
  Status eraseAt(const Cursor& c);
  Status rebalance(NtxPage& parent, int slot, NtxPage& child, bool& childFreed);
  struct CheckWalk;
  Status checkPage(CheckWalk& w, std::uint32_t offset, int depth);
  Result<std::string_view> checkedPageBytes(CheckWalk& w, std::uint32_t offset, int depth);

  OsFile file_;
  NtxHeader header_;
  bool shared_ = false;
  std::uint64_t generation_ = 1;
  std::uint64_t end_ = 0;  // file size rounded up to whole pages: where new pages go
  std::unordered_map<std::uint32_t, PagePtr> cache_;
};

}  // namespace zrv
