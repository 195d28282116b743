// Fuzzes the recovery of the write-ahead journal. The input is a recipe, not the journal: it
// chooses the header (these files' generation and identity or another's), then transactions of
// writes (file, offset, bytes) that are encoded with correct checksums and sequence numbers, so
// that replay itself is fuzzed; a torn or garbled tail may follow. The first byte's top bit
// instead takes the input as raw journal bytes. Whatever the journal, the table must open or be
// refused with a message, never crash; recovery always ends the journal; a journal of other
// files is set aside without a byte of the table changing; no journal grows the table beyond
// what it holds and what the journal itself carries.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz_scratch.h"
#include "store/xbase/redo_journal.h"

namespace {

using zrv::RedoJournal;

struct Recipe {
  std::string_view in;
  std::uint8_t byte() {
    if (in.empty()) return 0;
    const auto b = static_cast<std::uint8_t>(in.front());
    in.remove_prefix(1);
    return b;
  }
  std::string bytes(std::size_t n) {
    n = std::min(n, in.size());
    std::string s(in.substr(0, n));
    in.remove_prefix(n);
    return s;
  }
};

const char* const kNames[] = {"I.DBF", "I.DBF", "I.DBF", "gone.ntx", "../I.DBF", "/tmp/x", "sub/I"};

std::string journalFrom(Recipe& r, const std::filesystem::path& table, bool& foreign) {
  const std::uint8_t flags = r.byte();
  foreign = flags & 1;
  std::uint64_t generation = 1 + r.byte();
  RedoJournal::Identity identity = RedoJournal::identityOf(table).value_or(RedoJournal::Identity{});
  if (foreign) ++identity.inode;
  const std::uint32_t run = r.byte() % 3;
  std::string j = RedoJournal::encodeHeader(generation, run, identity, "");
  const int transactions = 1 + r.byte() % 6;
  for (int t = 0; t < transactions && !r.in.empty(); ++t) {
    std::vector<RedoJournal::Write> writes;
    const int n = r.byte() % 5;
    for (int w = 0; w < n; ++w) {
      RedoJournal::Write write;
      write.file = kNames[r.byte() % (sizeof kNames / sizeof *kNames)];
      write.offset = (r.byte() << 8 | r.byte()) % 4096;
      write.bytes = r.bytes(r.byte() % 64);
      writes.push_back(std::move(write));
    }
    // Now and then a sequence number out of turn: the journal ends there.
    const std::uint32_t sequence = (flags & 2) && t == 2 ? 7 : static_cast<std::uint32_t>(t);
    j += RedoJournal::encodeTransaction(generation, run, sequence, writes);
  }
  if (flags & 4) {  // a torn last transaction
    const std::string last =
        RedoJournal::encodeTransaction(generation, run, transactions, {{"I.DBF", 0, r.bytes(40)}});
    j += last.substr(0, last.size() / 2);
  }
  j += r.bytes(r.in.size());  // garbage after the end
  return j;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto dir = zrv::fuzz::scratchDir();
  const auto table = dir / "I.DBF";
  zrv::fuzz::writeFile(table, zrv::fuzz::indexedTable());
  std::filesystem::remove(dir / "I.DBF.~jx");
  Recipe r{std::string_view(reinterpret_cast<const char*>(data), size)};
  bool foreign = false;
  std::string journal;
  if (size > 0 && (data[0] & 0x80)) {
    journal = std::string(r.in.substr(1));
  } else {
    journal = journalFrom(r, table, foreign);
  }
  zrv::fuzz::writeFile(dir / "I.DBF.~jn", journal);
  zrv::Table::Options o;
  o.mode = zrv::OpenMode::kExclusive;
  auto t = zrv::Table::open(table, zrv::fuzz::fuzzClock(), o);
  if (std::filesystem::exists(dir / "I.DBF.~jn")) abort();  // recovery always ends the journal
  if (foreign && std::filesystem::exists(dir / "I.DBF.~jx") &&
      *zrv::readWholeFile(table) != zrv::fuzz::indexedTable()) {
    abort();  // set aside, yet applied
  }
  if (std::filesystem::file_size(table) >
      zrv::fuzz::indexedTable().size() + journal.size() + 1024) {
    abort();  // grown beyond any bound
  }
  if (!t) {
    if (t.message().empty()) abort();
    return 0;
  }
  for (bool ok = (*t)->goTop().isOk(); ok && !(*t)->eof(); ok = (*t)->skip().isOk()) {
    (void)(*t)->getString("NAME");
  }
  return 0;
}
