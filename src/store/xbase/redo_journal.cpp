#include "store/xbase/redo_journal.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
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
constexpr std::size_t kMaxStampName = 255;
constexpr std::uint64_t kMaxTarget = 1ull << 32;  // xBase files stay below 4 GB
constexpr std::size_t kMaxJournal = 64u << 20;

std::uint32_t crc32(std::string_view bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k)
        c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : bytes)
    c = table[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
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

// The complete, intact transaction at `pos` of the run, or nothing.
std::optional<Transaction> parseTransaction(std::string_view all, std::size_t pos, const Header& h,
                                            std::uint32_t sequence) {
  if (pos > all.size() || all.size() - pos < kRecordHead ||
      all.compare(pos, 4, kRecordMagic, 4) != 0) {
    return std::nullopt;
  }
  const char* r = all.data() + pos;
  if (get64(r + 4) != h.generation || get32(r + 12) != h.run || get32(r + 16) != sequence) {
    return std::nullopt;
  }
  const std::uint32_t length = get32(r + 20);
  if (length > all.size() - pos - kRecordHead) return std::nullopt;
  std::string check(all.substr(pos + 4, kRecordHead - 4 + length));
  put32(check.data() + 20, 0);
  if (crc32(check) != get32(r + 24)) return std::nullopt;
  Transaction t;
  t.size = kRecordHead + length;
  std::string_view p = all.substr(pos + kRecordHead, length);
  while (!p.empty()) {
    if (p.size() < 2) return std::nullopt;
    const std::size_t nameLength = get16(p.data());
    if (p.size() < 2 + nameLength + 12) return std::nullopt;
    RedoJournal::Write w;
    w.file = std::string(p.substr(2, nameLength));
    w.offset = get64(p.data() + 2 + nameLength);
    const std::uint32_t n = get32(p.data() + 2 + nameLength + 8);
    p.remove_prefix(2 + nameLength + 12);
    if (w.file.empty() || n > p.size() || w.offset > kMaxTarget || n > kMaxTarget - w.offset) {
      return std::nullopt;
    }
    w.bytes = std::string(p.substr(0, n));
    p.remove_prefix(n);
    t.writes.push_back(std::move(w));
  }
  return t;
}

// A name the journal may write to: a file in the table's directory or below it.
bool safeName(const std::string& name) {
  const fs::path p(name);
  if (p.is_absolute() || p.empty()) return false;
  return std::none_of(p.begin(), p.end(), [](const fs::path& part) { return part == ".."; });
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
  std::string r(kRecordHead, '\0');
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
  put32(r.data() + 24, crc32(std::string_view(r).substr(4)));
  return r;
}

// A new generation: the stamp goes into the memo file first, then the journal is written in
// full once (so that a commit later only overwrites blocks that exist and its flush changes no
// file-system metadata), with its header last.
Status RedoJournal::start() {
  generation_ = randomGeneration();
  run_ = 0;
  sequence_ = 0;
  end_ = kFirstRecord;
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
  allocated_ = kFirstRecord + limits_.bytes + (64u << 10);
  const std::string zeros(static_cast<std::size_t>(allocated_), '\0');
  if (Status s = f->writeThrough(0, zeros.data(), zeros.size()); !s) return s;
  file_.emplace(std::move(*f));
  if (Status s = writeHeader(); !s) return s;
  runStart_ = std::chrono::steady_clock::now();
  return fileOps().syncDirectory(path_.parent_path());
}

Status RedoJournal::writeHeader() {
  const std::string h = encodeHeader(generation_, run_, identity_, stampName_);
  if (Status s = file_->writeThrough(0, h.data(), h.size()); !s) return s;
  return file_->sync();
}

Status RedoJournal::commit(const std::vector<OsFile*>& files) {
  std::vector<Write> writes;
  for (OsFile* f : files) {
    for (const auto& [offset, bytes] : f->pending())
      writes.push_back(Write{f->journalName(), offset, bytes});
  }
  if (writes.empty()) return {};
  if (!file_) {
    if (Status s = start(); !s) return s;
  }
  const std::string t = encodeTransaction(generation_, run_, sequence_, writes);
  if (Status s = file_->writeThrough(end_, t.data(), t.size()); !s) return s;
  if (Status s = file_->sync(); !s) return s;
  end_ += t.size();
  allocated_ = std::max(allocated_, end_);
  ++sequence_;
  // The journal holds the transaction: now the data files may have it.
  for (OsFile* f : files) {
    if (Status s = f->applyPending(); !s) return s;
  }
  return {};
}

bool RedoJournal::checkpointDue() const {
  if (!dirty()) return false;
  return end_ - kFirstRecord > limits_.bytes ||
         std::chrono::steady_clock::now() - runStart_ > limits_.age;
}

Status RedoJournal::reset() {
  if (!file_) return {};
  ++run_;
  sequence_ = 0;
  end_ = kFirstRecord;
  runStart_ = std::chrono::steady_clock::now();
  return writeHeader();
}

Status RedoJournal::discard() {
  if (!file_) return {};
  file_.reset();
  end_ = kFirstRecord;
  return removeFile(path_);
}

Result<RedoJournal::Recovery> RedoJournal::recover(const fs::path& table) {
  const fs::path path = fileFor(table);
  Recovery result;
  if (!fileOps().exists(path)) return result;
  std::string all;
  {
    auto f = OsFile::open(path, OsFile::Access::kRead);
    if (!f) return f.status();
    auto size = f->size();
    if (!size) return size.status();
    all.resize(static_cast<std::size_t>(std::min<std::uint64_t>(*size, kMaxJournal)));
    auto got = f->readAt(0, all.data(), all.size());
    if (!got) return got.status();
    all.resize(*got);
  }
  // A header that never became durable means no transaction did either.
  const std::optional<Header> header = parseHeader(all);
  std::vector<Transaction> transactions;
  if (header) {
    std::size_t pos = kFirstRecord;
    while (auto t = parseTransaction(all, pos, *header,
                                     static_cast<std::uint32_t>(transactions.size()))) {
      pos += t->size;
      transactions.push_back(std::move(*t));
    }
  }
  if (transactions.empty()) {
    if (Status s = removeFile(path); !s) return s;
    return result;
  }
  const fs::path dir = table.parent_path();
  bool belongs = true;
  if (header->table.device != 0 || header->table.inode != 0) {
    const auto now = identityOf(table);
    belongs = now && now->device == header->table.device && now->inode == header->table.inode;
  }
  if (belongs && !header->stampName.empty()) {
    belongs = false;
    if (safeName(header->stampName)) {
      if (auto stamp = OsFile::open(dir / header->stampName, OsFile::Access::kRead)) {
        char bytes[8];
        auto got = stamp->readAt(kStampOffset, bytes, sizeof bytes);
        belongs = got && *got == sizeof bytes && get64(bytes) == header->generation;
      }
    }
  }
  if (!belongs) {
    fs::path aside = table;
    aside += ".~jx";
    if (Status s = fileOps().rename(path, aside); !s) return s;
    if (Status s = fileOps().syncDirectory(dir); !s) return s;
    result.setAside = true;
    return result;
  }
  std::map<std::string, std::optional<OsFile>> targets;
  for (const Transaction& t : transactions) {
    for (const Write& w : t.writes) {
      auto it = targets.find(w.file);
      if (it == targets.end()) {
        std::optional<OsFile> target;
        if (safeName(w.file)) {
          if (auto f = OsFile::open(dir / w.file, OsFile::Access::kReadWrite)) {
            target.emplace(std::move(*f));
          }
        }
        it = targets.emplace(w.file, std::move(target)).first;
      }
      if (!it->second) {  // a file that is gone (a replaced index) needs nothing
        ++result.skippedWrites;
        continue;
      }
      if (Status s = it->second->writeThrough(w.offset, w.bytes.data(), w.bytes.size()); !s) {
        return s;
      }
    }
    ++result.applied;
  }
  for (auto& [name, target] : targets) {
    if (!target) continue;
    if (Status s = target->sync(); !s) return s;
  }
  if (Status s = removeFile(path); !s) return s;
  return result;
}

}  // namespace zrv
