#include "store/xbase/redo_journal.h"

#include <array>
#include <chrono>
#include <map>
#include <system_error>

#include "store/xbase/xbase_layout.h"

namespace zrv {
namespace fs = std::filesystem;

namespace {

using xbase::get16;
using xbase::get32;
using xbase::put16;
using xbase::put32;

// Record: magic (4), generation (4), sequence (4), table size (8), payload length (4),
// CRC-32 of everything after the magic with this field zero (4); then the payload, a list of
// writes: name length (2), name, offset (8), length (4), bytes.
constexpr char kMagic[4] = {'Z', 'R', 'V', 'J'};
constexpr std::size_t kHeaderSize = 28;
constexpr std::size_t kOffGeneration = 4;
constexpr std::size_t kOffSequence = 8;
constexpr std::size_t kOffTableSize = 12;
constexpr std::size_t kOffPayload = 20;
constexpr std::size_t kOffCrc = 24;
constexpr std::uint64_t kMaxTarget = 1ull << 32;  // xBase files stay below 4 GB

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

struct Parsed {
  std::uint32_t generation = 0;
  std::uint32_t sequence = 0;
  std::uint64_t tableSize = 0;
  std::size_t size = 0;  // of the whole record
  struct Entry {
    std::string file;
    std::uint64_t offset;
    std::string_view bytes;
  };
  std::vector<Entry> writes;
};

// A complete, intact record at `pos`, or nothing.
std::optional<Parsed> parseRecord(std::string_view all, std::size_t pos) {
  if (pos + kHeaderSize > all.size() || all.compare(pos, 4, kMagic, 4) != 0) return std::nullopt;
  const char* h = all.data() + pos;
  Parsed r;
  r.generation = get32(h + kOffGeneration);
  r.sequence = get32(h + kOffSequence);
  r.tableSize = get64(h + kOffTableSize);
  const std::uint32_t length = get32(h + kOffPayload);
  if (length > all.size() - pos - kHeaderSize) return std::nullopt;
  std::string check(all.substr(pos + 4, kHeaderSize - 4 + length));
  put32(check.data() + kOffCrc - 4, 0);
  if (crc32(check) != get32(h + kOffCrc)) return std::nullopt;
  r.size = kHeaderSize + length;
  std::string_view p = all.substr(pos + kHeaderSize, length);
  while (!p.empty()) {
    if (p.size() < 2) return std::nullopt;
    const std::size_t nameLength = get16(p.data());
    if (p.size() < 2 + nameLength + 12) return std::nullopt;
    Parsed::Entry e;
    e.file = std::string(p.substr(2, nameLength));
    e.offset = get64(p.data() + 2 + nameLength);
    const std::uint32_t n = get32(p.data() + 2 + nameLength + 8);
    p.remove_prefix(2 + nameLength + 12);
    if (e.file.empty() || n > p.size() || e.offset + n > kMaxTarget) return std::nullopt;
    e.bytes = p.substr(0, n);
    p.remove_prefix(n);
    r.writes.push_back(std::move(e));
  }
  return r;
}

// The records of the last generation written, in order.
std::vector<Parsed> parseJournal(std::string_view all) {
  std::vector<Parsed> records;
  std::size_t pos = 0;
  while (auto r = parseRecord(all, pos)) {
    if (!records.empty() && (r->generation != records.front().generation ||
                             r->sequence != records.back().sequence + 1)) {
      break;
    }
    pos += r->size;
    records.push_back(std::move(*r));
  }
  return records;
}

Status removeJournal(OsFile& f, const fs::path& path) {
  if (Status s = f.truncate(0); !s) return s;
  if (Status s = f.sync(); !s) return s;
  f.close();
  std::error_code ec;
  fs::remove(path, ec);
  if (ec) return status::io(path, "gelöscht", ec.value());
  return syncDirectory(path.parent_path());
}

}  // namespace

RedoJournal::RedoJournal(const fs::path& table, std::size_t capacity)
    : path_(fileFor(table)), capacity_(capacity) {}

RedoJournal::~RedoJournal() = default;

fs::path RedoJournal::fileFor(const fs::path& table) {
  fs::path p = table;
  p += ".~jn";
  return p;
}

void RedoJournal::note(const std::string& file, std::uint64_t offset, std::string_view bytes) {
  if (overflow_) return;
  notedBytes_ += bytes.size() + file.size() + 14;
  if (notedBytes_ + kHeaderSize > capacity_) {
    notes_.clear();
    overflow_ = true;
    return;
  }
  notes_.push_back(Write{file, offset, std::string(bytes)});
}

std::string RedoJournal::encodeRecord(const std::vector<Write>& writes) const {
  std::string r(kHeaderSize, '\0');
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
  std::copy(kMagic, kMagic + 4, r.data());
  put32(r.data() + kOffGeneration, generation_);
  put32(r.data() + kOffSequence, sequence_);
  put64(r.data() + kOffTableSize, tableSize_);
  put32(r.data() + kOffPayload, static_cast<std::uint32_t>(r.size() - kHeaderSize));
  put32(r.data() + kOffCrc, crc32(std::string_view(r).substr(4)));
  return r;
}

// The journal file is written in full once, so that a commit later only overwrites blocks
// that exist: then flushing a record changes no file-system metadata.
Status RedoJournal::ensureFile() {
  if (file_) return {};
  std::error_code ec;
  fs::remove(path_, ec);
  auto f = OsFile::create(path_);
  if (!f) return f.status();
  const std::string zeros(capacity_, '\0');
  if (Status s = f->writeAt(0, zeros.data(), zeros.size()); !s) return s;
  if (Status s = f->sync(); !s) return s;
  if (Status s = syncDirectory(path_.parent_path()); !s) return s;
  file_.emplace(std::move(*f));
  generation_ = static_cast<std::uint32_t>(
      std::chrono::steady_clock::now().time_since_epoch().count() & 0xFFFFFFFF);
  sequence_ = 0;
  end_ = 0;
  return {};
}

Status RedoJournal::writeRecord(const std::string& record) {
  if (Status s = file_->writeAt(end_, record.data(), record.size()); !s) return s;
  if (Status s = file_->sync(); !s) return s;
  end_ += record.size();
  ++sequence_;
  return {};
}

Status RedoJournal::commit(const std::function<Status()>& syncData) {
  if (overflow_) {
    if (Status s = syncData(); !s) return s;
    return reset();  // everything is on disk already
  }
  if (notes_.empty()) return {};
  if (Status s = ensureFile(); !s) return s;
  std::string record = encodeRecord(notes_);
  if (end_ + record.size() > capacity_) {
    if (Status s = syncData(); !s) return s;
    ++generation_;
    sequence_ = 0;
    end_ = 0;
    record = encodeRecord(notes_);
  }
  if (Status s = writeRecord(record); !s) return s;
  notes_.clear();
  notedBytes_ = 0;
  return {};
}

Status RedoJournal::reset() {
  notes_.clear();
  notedBytes_ = 0;
  overflow_ = false;
  if (!file_) return {};
  ++generation_;
  sequence_ = 0;
  end_ = 0;
  return writeRecord(encodeRecord({}));
}

Status RedoJournal::discard() {
  notes_.clear();
  notedBytes_ = 0;
  overflow_ = false;
  if (!file_) return {};
  const Status s = removeJournal(*file_, path_);
  file_.reset();
  return s;
}

Result<RedoJournal::Recovery> RedoJournal::recover(const fs::path& table) {
  const fs::path path = fileFor(table);
  std::error_code ec;
  Recovery result;
  if (!fs::exists(path, ec)) return result;
  auto f = OsFile::open(path, OsFile::Access::kReadWrite);
  if (!f) return f.status();
  auto size = f->size();
  if (!size) return size.status();
  std::string all(static_cast<std::size_t>(std::min<std::uint64_t>(*size, 64u << 20)), '\0');
  auto got = f->readAt(0, all.data(), all.size());
  if (!got) return got.status();
  all.resize(*got);
  const std::vector<Parsed> records = parseJournal(all);
  const auto tableSize = fs::file_size(table, ec);
  result.dropped = !records.empty() && (ec || tableSize > records.back().tableSize);
  if (!records.empty() && !result.dropped) {
    std::map<std::string, OsFile> targets;
    for (const Parsed& r : records) {
      for (const Parsed::Entry& w : r.writes) {
        auto it = targets.find(w.file);
        if (it == targets.end()) {
          auto t = OsFile::open(table.parent_path() / w.file, OsFile::Access::kReadWrite);
          if (!t) continue;  // a file that is gone (a temporary index) needs nothing
          it = targets.emplace(w.file, std::move(*t)).first;
        }
        if (Status s = it->second.writeAt(w.offset, w.bytes.data(), w.bytes.size()); !s) return s;
      }
      result.applied += r.writes.empty() ? 0 : 1;
    }
    for (auto& [name, target] : targets) {
      if (Status s = target.sync(); !s) return s;
    }
  }
  if (Status s = removeJournal(*f, path); !s) return s;
  return result;
}

}  // namespace zrv
