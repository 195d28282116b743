#include "store/xbase/redo_journal.h"

#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <random>
#include <system_error>

#include "store/base/file_ops.h"
#include "store/xbase/xbase_layout.h"

namespace zrv {
namespace fs = std::filesystem;

namespace {

using xbase::get16;
using xbase::get32;
using xbase::put16;
using xbase::put32;

constexpr char kHeaderMagic[8] = {'Z', 'R', 'V', 'W', 'A', 'L', '0', '1'};
constexpr char kRecordMagic[4] = {'Z', 'R', 'V', 'T'};
constexpr std::size_t kRecordHead = 28;
constexpr std::size_t kCrcField = 24;
constexpr std::size_t kMaxStampName = 255;
constexpr std::uint64_t kMaxTarget = 1ull << 32;  // xBase files stay below 4 GB
constexpr std::size_t kMaxJournal = 64u << 20;
// Space the journal owns beyond its checkpoint size, for the transaction that crosses it.
constexpr std::uint64_t kSpare = 64u << 10;
// How far beyond what a file holds and what the journal appends to it a write may start: a
// memo file may end up to a block before its next free block, and an index grows by pages.
constexpr std::uint64_t kAppendSlack = 1024;

// CRC-32 (IEEE), eight bytes at a time.
struct CrcTables {
  std::uint32_t t[8][256];
};
constexpr CrcTables makeCrcTables() {
  CrcTables tables{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k)
      c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    tables.t[0][i] = c;
  }
  for (int k = 1; k < 8; ++k) {
    for (std::uint32_t i = 0; i < 256; ++i) {
      const std::uint32_t prev = tables.t[k - 1][i];
      tables.t[k][i] = (prev >> 8) ^ tables.t[0][prev & 0xFF];
    }
  }
  return tables;
}
constexpr CrcTables kCrc = makeCrcTables();

// Continues a CRC over `bytes` (start with 0).
std::uint32_t crc32(std::string_view bytes, std::uint32_t crc = 0) {
  const auto& t = kCrc.t;
  std::uint32_t c = ~crc;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t n = bytes.size();
  for (; n >= 8; p += 8, n -= 8) {
    const std::uint32_t lo = c ^ (p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24);
    const std::uint32_t hi = p[4] | p[5] << 8 | p[6] << 16 | std::uint32_t(p[7]) << 24;
    c = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
        t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
  }
  for (; n > 0; ++p, --n)
    c = t[0][(c ^ *p) & 0xFF] ^ (c >> 8);
  return ~c;
}

// The CRC of a transaction: bytes 4 to its end, with the CRC field taken as 0.
std::uint32_t transactionCrc(std::string_view t) {
  static constexpr char kZero[4] = {};
  std::uint32_t c = crc32(t.substr(4, kCrcField - 4));
  c = crc32(std::string_view(kZero, 4), c);
  return crc32(t.substr(kCrcField + 4), c);
}

void put64(char* p, std::uint64_t v) {
  put32(p, static_cast<std::uint32_t>(v));
  put32(p + 4, static_cast<std::uint32_t>(v >> 32));
}
std::uint64_t get64(const char* p) {
  return get32(p) | (std::uint64_t(get32(p + 4)) << 32);
}

struct Header {
  std::uint64_t generation = 0;
  std::uint32_t run = 0;
  RedoJournal::Identity table;
  std::string stampName;
};

std::optional<Header> parseHeader(std::string_view all) {
  if (all.size() < 40 || all.compare(0, 8, kHeaderMagic, 8) != 0) return std::nullopt;
  const std::size_t nameLength = get16(all.data() + 36);
  if (nameLength > kMaxStampName || 38 + nameLength + 4 > RedoJournal::kFirstRecord ||
      38 + nameLength + 4 > all.size()) {
    return std::nullopt;
  }
  if (crc32(all.substr(0, 38 + nameLength)) != get32(all.data() + 38 + nameLength)) {
    return std::nullopt;
  }
  Header h;
  h.generation = get64(all.data() + 8);
  h.run = get32(all.data() + 16);
  h.table.device = get64(all.data() + 20);
  h.table.inode = get64(all.data() + 28);
  h.stampName = std::string(all.substr(38, nameLength));
  return h;
}

struct Transaction {
  std::size_t size = 0;
  std::vector<RedoJournal::Write> writes;
};

// What lies at a place of the journal where a transaction of the run may follow.
enum class Found {
  kTransaction,  // the next one, complete and intact
  kOther,        // none of this run with that number: zeros, an older run's, the end
  kTorn,         // its head, but its checksum fails: written only in part
  kDamaged,      // its head with a length past the end, or intact bytes that make no sense
};

Found parseTransaction(std::string_view all, std::size_t pos, const Header& h,
                       std::uint32_t sequence, Transaction& t) {
  if (pos > all.size() || all.size() - pos < kRecordHead ||
      all.compare(pos, 4, kRecordMagic, 4) != 0) {
    return Found::kOther;
  }
  const char* r = all.data() + pos;
  if (get64(r + 4) != h.generation || get32(r + 12) != h.run || get32(r + 16) != sequence) {
    return Found::kOther;
  }
  // The journal owns its space before a transaction is written: one that runs past its end
  // was never written by a commit.
  const std::uint32_t length = get32(r + 20);
  if (length > all.size() - pos - kRecordHead) return Found::kDamaged;
  const std::string_view bytes = all.substr(pos, kRecordHead + length);
  if (transactionCrc(bytes) != get32(r + kCrcField)) return Found::kTorn;
  t.size = bytes.size();
  t.writes.clear();
  std::string_view p = bytes.substr(kRecordHead);
  while (!p.empty()) {
    if (p.size() < 2) return Found::kDamaged;
    const std::size_t nameLength = get16(p.data());
    if (p.size() < 2 + nameLength + 12) return Found::kDamaged;
    RedoJournal::Write w;
    w.file = std::string(p.substr(2, nameLength));
    w.offset = get64(p.data() + 2 + nameLength);
    const std::uint32_t n = get32(p.data() + 2 + nameLength + 8);
    p.remove_prefix(2 + nameLength + 12);
    if (w.file.empty() || n > p.size() || w.offset > kMaxTarget || n > kMaxTarget - w.offset) {
      return Found::kDamaged;
    }
    w.bytes = std::string(p.substr(0, n));
    p.remove_prefix(n);
    t.writes.push_back(std::move(w));
  }
  return Found::kTransaction;
}

// Whether an intact transaction of the run with a number above `sequence` lies after `pos`:
// then what ended the run there was damage, not a crash (a commit is written only after the
// one before it is on disk).
bool laterTransactionAfter(std::string_view all, std::size_t pos, const Header& h,
                           std::uint32_t sequence) {
  const std::string_view magic(kRecordMagic, 4);
  Transaction t;
  for (std::size_t at = all.find(magic, pos + 1); at != std::string_view::npos;
       at = all.find(magic, at + 1)) {
    if (all.size() - at < kRecordHead) break;
    const std::uint32_t n = get32(all.data() + at + 16);
    if (n > sequence && parseTransaction(all, at, h, n, t) == Found::kTransaction) return true;
  }
  return false;
}

// A name the journal may write to: a plain file name in the table's directory.
bool plainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\") == std::string::npos && name.find('\0') == std::string::npos;
}

std::uint64_t randomGeneration() {
  std::random_device rd;
  std::uint64_t g = 0;
  while (g == 0)
    g = (std::uint64_t(rd()) << 32) ^ rd();
  return g;
}

Status removeFile(const fs::path& path) {
  if (Status s = fileOps().remove(path); !s) return s;
  return fileOps().syncDirectory(path.parent_path());
}

// Whether the journal was written for these files: the table file with the device and inode
// it names and the memo file carrying its generation. A journal that names neither belongs to
// no files.
bool belongs(const Header& h, const fs::path& table) {
  const bool byIdentity = h.table.device != 0 || h.table.inode != 0;
  if (!byIdentity && h.stampName.empty()) return false;
  if (byIdentity) {
    const auto now = RedoJournal::identityOf(table);
    if (!now || now->device != h.table.device || now->inode != h.table.inode) return false;
  }
  if (h.stampName.empty()) return true;
  if (!plainName(h.stampName)) return false;
  auto stamp = OsFile::open(table.parent_path() / h.stampName, OsFile::Access::kRead);
  if (!stamp) return false;
  char bytes[8];
  auto got = stamp->readAt(RedoJournal::kStampOffset, bytes, sizeof bytes);
  return got && *got == sizeof bytes && get64(bytes) == h.generation;
}

// The files the transactions write to, opened, with what would make applying them unsafe: a
// name outside the directory, a symbolic link or other non-file, a write beyond what the file
// holds plus everything the journal appends to it. A missing file stays closed (its writes are
// skipped: a replaced index needs none).
struct Targets {
  std::map<std::string, std::optional<OsFile>> files;
  std::string unsafe;  // German, empty when all is well
};

Result<Targets> openTargets(const fs::path& dir, const std::vector<Transaction>& transactions) {
  std::map<std::string, std::uint64_t> appended;
  for (const Transaction& t : transactions) {
    for (const RedoJournal::Write& w : t.writes)
      appended[w.file] += w.bytes.size();
  }
  Targets targets;
  std::map<std::string, std::uint64_t> bound;
  for (const auto& [name, bytes] : appended) {
    if (!plainName(name)) {
      targets.unsafe = "in eine Datei außerhalb ihres Verzeichnisses schreiben";
      return targets;
    }
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(dir / name, ec);
    if (st.type() == fs::file_type::not_found) {
      targets.files.emplace(name, std::nullopt);
      continue;
    }
    if (st.type() != fs::file_type::regular) {
      targets.unsafe = "in " + name + " schreiben, das keine gewöhnliche Datei ist";
      return targets;
    }
    auto f = OsFile::open(dir / name, OsFile::Access::kReadWrite);
    if (!f) return f.status();
    auto size = f->size();
    if (!size) return size.status();
    bound[name] = *size + bytes + kAppendSlack;
    targets.files.emplace(name, std::move(*f));
  }
  for (const Transaction& t : transactions) {
    for (const RedoJournal::Write& w : t.writes) {
      const auto it = bound.find(w.file);
      if (it != bound.end() && w.offset + w.bytes.size() > it->second) {
        targets.unsafe = "über das Ende der Datei " + w.file + " hinaus schreiben";
        return targets;
      }
    }
  }
  return targets;
}

Result<std::string> readJournal(const fs::path& path) {
  auto f = OsFile::open(path, OsFile::Access::kRead);
  if (!f) return f.status();
  auto size = f->size();
  if (!size) return size.status();
  std::string all(static_cast<std::size_t>(std::min<std::uint64_t>(*size, kMaxJournal)), '\0');
  auto got = f->readAt(0, all.data(), all.size());
  if (!got) return got.status();
  all.resize(*got);
  return all;
}

}  // namespace

RedoJournal::RedoJournal(const fs::path& table, Limits limits)
    : table_(table), path_(fileFor(table)), limits_(limits) {}

RedoJournal::~RedoJournal() = default;

fs::path RedoJournal::fileFor(const fs::path& table) {
  fs::path p = table;
  p += ".~jn";
  return p;
}

std::optional<RedoJournal::Identity> RedoJournal::identityOf(const fs::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return std::nullopt;
  return Identity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

std::string RedoJournal::encodeHeader(std::uint64_t generation, std::uint32_t run,
                                      const Identity& table, const std::string& stampName) {
  const std::string name = stampName.substr(0, kMaxStampName);
  std::string h(kFirstRecord, '\0');
  std::copy(kHeaderMagic, kHeaderMagic + 8, h.data());
  put64(h.data() + 8, generation);
  put32(h.data() + 16, run);
  put64(h.data() + 20, table.device);
  put64(h.data() + 28, table.inode);
  put16(h.data() + 36, static_cast<std::uint32_t>(name.size()));
  std::copy(name.begin(), name.end(), h.data() + 38);
  put32(h.data() + 38 + name.size(), crc32(std::string_view(h).substr(0, 38 + name.size())));
  return h;
}

std::string RedoJournal::encodeTransaction(std::uint64_t generation, std::uint32_t run,
                                           std::uint32_t sequence,
                                           const std::vector<Write>& writes) {
  std::size_t size = kRecordHead;
  for (const Write& w : writes)
    size += 14 + w.file.size() + w.bytes.size();
  std::string r(kRecordHead, '\0');
  r.reserve(size);
  for (const Write& w : writes) {
    char head[2];
    put16(head, static_cast<std::uint32_t>(w.file.size()));
    r.append(head, 2);
    r += w.file;
    char where[12];
    put64(where, w.offset);
    put32(where + 8, static_cast<std::uint32_t>(w.bytes.size()));
    r.append(where, 12);
    r += w.bytes;
  }
  std::copy(kRecordMagic, kRecordMagic + 4, r.data());
  put64(r.data() + 4, generation);
  put32(r.data() + 12, run);
  put32(r.data() + 16, sequence);
  put32(r.data() + 20, static_cast<std::uint32_t>(r.size() - kRecordHead));
  put32(r.data() + kCrcField, transactionCrc(r));
  return r;
}

// A new generation. The stamp goes into the memo file first and is made durable, so that no
// transaction of the generation can be on disk without it. The journal file is then reserved,
// written in full with zeros and given its header, all made durable by one sync: from then on a
// commit only overwrites blocks the file owns, and its sync changes neither size nor
// allocation. Its name is made durable last.
Status RedoJournal::start() {
  generation_ = randomGeneration();
  run_ = 0;
  sequence_ = 0;
  end_ = kFirstRecord;
  owned_ = 0;
  identity_ = identityOf(table_).value_or(Identity{});
  stampName_.clear();
  if (stampFile_) {
    stampName_ = stampFile_->journalName();
    char stamp[8];
    put64(stamp, generation_);
    if (Status s = stampFile_->writeThrough(kStampOffset, stamp, sizeof stamp); !s) return s;
    if (Status s = stampFile_->sync(); !s) return s;
  }
  (void)fileOps().remove(path_);
  auto f = OsFile::create(path_);
  if (!f) return f.status();
  file_.emplace(std::move(*f));
  const std::string h = encodeHeader(generation_, run_, identity_, stampName_);
  Status s = own(kFirstRecord + limits_.bytes + kSpare);
  if (s) s = file_->writeThrough(0, h.data(), h.size());
  if (s) s = file_->sync();
  if (s) s = fileOps().syncDirectory(path_.parent_path());
  if (!s) {
    file_.reset();  // the next commit starts over
    return s;
  }
  runStart_ = std::chrono::steady_clock::now();
  return {};
}

// Makes the journal file own its first `size` bytes: reserved in the file system, then written
// with zeros (a reserved block not yet written would change the file system's records at its
// first write). The caller syncs.
Status RedoJournal::own(std::uint64_t size) {
  if (size <= owned_) return {};
  if (Status s = file_->allocate(owned_, size - owned_); !s) return s;
  static const std::string zeros(256u << 10, '\0');
  for (std::uint64_t at = owned_; at < size;) {
    const std::size_t n =
        static_cast<std::size_t>(std::min<std::uint64_t>(zeros.size(), size - at));
    if (Status s = file_->writeThrough(at, zeros.data(), n); !s) return s;
    at += n;
  }
  owned_ = size;
  return {};
}

// The header names the next run, on disk before any transaction of it is written over the
// older run's space; those transactions no longer count.
Status RedoJournal::newRun() {
  ++run_;
  sequence_ = 0;
  end_ = kFirstRecord;
  runStart_ = std::chrono::steady_clock::now();
  const std::string h = encodeHeader(generation_, run_, identity_, stampName_);
  if (Status s = file_->writeThrough(0, h.data(), h.size()); !s) return s;
  return file_->sync();
}

Status RedoJournal::commit(const std::vector<OsFile*>& files) {
  std::vector<Write> writes;
  for (OsFile* f : files) {
    auto changes = f->pendingChanges();
    if (!changes) return changes.status();
    for (auto& [offset, bytes] : *changes)
      writes.push_back(Write{f->journalName(), offset, std::move(bytes)});
  }
  if (writes.empty()) {
    for (OsFile* f : files)
      f->dropPending();  // what they hold back is in the files already
    return {};
  }
  if (!file_) {
    if (Status s = start(); !s) return s;
  }
  std::string t = encodeTransaction(generation_, run_, sequence_, writes);
  if (end_ + t.size() > owned_ && end_ > kFirstRecord) {
    if (Status s = checkpoint(files); !s) return s;
    t = encodeTransaction(generation_, run_, sequence_, writes);
  }
  if (end_ + t.size() > owned_) {  // larger than all the space: the file grows once
    if (Status s = own(end_ + t.size() + kSpare); !s) return s;
    if (Status s = file_->sync(); !s) return s;
  }
  if (Status s = file_->writeThrough(end_, t.data(), t.size()); !s) return s;
  if (Status s = file_->sync(); !s) return s;
  end_ += t.size();
  ++sequence_;
  for (OsFile* f : files)
    f->commitPending();
  return {};
}

bool RedoJournal::checkpointDue() const {
  if (!dirty()) return false;
  return end_ - kFirstRecord > limits_.bytes ||
         std::chrono::steady_clock::now() - runStart_ > limits_.age;
}

Status RedoJournal::checkpoint(const std::vector<OsFile*>& files) {
  for (OsFile* f : files) {
    if (Status s = f->writeBack(); !s) return s;
  }
  if (Status s = syncFiles(files); !s) return s;
  if (!file_) return {};
  return newRun();
}

Status RedoJournal::discard() {
  if (!file_) return {};
  file_.reset();
  end_ = kFirstRecord;
  owned_ = 0;
  return removeFile(path_);
}

Result<RedoJournal::Recovery> RedoJournal::recover(const fs::path& table) {
  const fs::path path = fileFor(table);
  const fs::path dir = table.parent_path();
  Recovery result;
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(path, ec);
  if (st.type() == fs::file_type::not_found) return result;
  const auto setAside = [&](Recovery::Aside why) -> Result<Recovery> {
    fs::path aside = table;
    aside += ".~jx";
    if (Status s = fileOps().rename(path, aside); !s) return s;
    if (Status s = fileOps().syncDirectory(dir); !s) return s;
    result.setAside = true;
    result.why = why;
    return result;
  };
  if (st.type() != fs::file_type::regular) {
    result.unsafe = "als Änderungsprotokoll eine andere Datei lesen lassen";
    return setAside(Recovery::Aside::kUnsafe);
  }
  auto all = readJournal(path);
  if (!all) return all.status();
  // A header that never became durable means no transaction did either; transactions behind a
  // header that is not readable cannot be checked.
  const std::optional<Header> header = parseHeader(*all);
  if (!header) {
    if (all->size() > kFirstRecord &&
        all->find(std::string_view(kRecordMagic, 4), kFirstRecord) != std::string::npos) {
      return setAside(Recovery::Aside::kDamaged);
    }
    if (Status s = removeFile(path); !s) return s;
    return result;
  }
  std::vector<Transaction> transactions;
  std::size_t pos = kFirstRecord;
  Transaction t;
  Found found;
  while ((found = parseTransaction(*all, pos, *header,
                                   static_cast<std::uint32_t>(transactions.size()), t)) ==
         Found::kTransaction) {
    pos += t.size;
    transactions.push_back(std::move(t));
  }
  const bool damaged =
      found == Found::kDamaged ||
      laterTransactionAfter(*all, pos, *header, static_cast<std::uint32_t>(transactions.size()));
  if (transactions.empty() && !damaged) {
    if (Status s = removeFile(path); !s) return s;
    return result;
  }
  if (!belongs(*header, table)) return setAside(Recovery::Aside::kForeign);
  auto targets = openTargets(dir, transactions);
  if (!targets) return targets.status();
  if (!targets->unsafe.empty()) {
    result.unsafe = targets->unsafe;
    return setAside(Recovery::Aside::kUnsafe);
  }
  for (const Transaction& done : transactions) {
    for (const Write& w : done.writes) {
      std::optional<OsFile>& target = targets->files.at(w.file);
      if (!target) {
        ++result.skippedWrites;
        continue;
      }
      if (Status s = target->writeThrough(w.offset, w.bytes.data(), w.bytes.size()); !s) {
        return s;
      }
    }
    ++result.applied;
  }
  for (auto& [name, target] : targets->files) {
    if (!target) continue;
    if (Status s = target->sync(); !s) return s;
  }
  if (damaged) return setAside(Recovery::Aside::kDamaged);
  if (Status s = removeFile(path); !s) return s;
  return result;
}

}  // namespace zrv
