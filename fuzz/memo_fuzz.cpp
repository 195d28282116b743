// Fuzzes the memo reader: the first 32 bytes of the input are the memo pointers of eight
// records (four bytes each), the rest is the memo file. Every memo must read or be refused
// with a message; writing and packing must not crash.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz_scratch.h"
#include "store/xbase/xbase_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto dir = zrv::fuzz::scratchDir();
  std::filesystem::remove(dir / "M.DBF.~jn");  // each input starts without history
  const auto table = dir / "M.DBF";
  static const std::string empty = [&] {
    std::filesystem::remove(table);
    if (!zrv::Table::create(table, zrv::fuzz::memoFields(), zrv::fuzz::fuzzClock())) abort();
    std::string b = *zrv::readWholeFile(table);
    b.pop_back();  // the end-of-file mark
    return b;
  }();
  std::filesystem::remove(dir / "M.DBF.~pack");
  const std::size_t head = size < 32 ? size : 32;
  // Eight records "r0".."r7" whose memo fields hold the pointers from the input.
  std::string bytes = empty;
  for (int r = 0; r < 8; ++r) {
    std::uint32_t block = 0;
    if (static_cast<std::size_t>(r * 4 + 4) <= head) {
      block = zrv::xbase::get32(reinterpret_cast<const char*>(data) + r * 4) % 100000;
    }
    char pointer[16];
    std::snprintf(pointer, sizeof pointer, "%10u", block);
    bytes += " r" + std::to_string(r) + "  " + std::string(pointer, 10);  // flag, NAME (4), NOTE
  }
  bytes += '\x1A';
  zrv::xbase::put32(bytes.data() + 4, 8);
  zrv::fuzz::writeFile(table, bytes);
  zrv::fuzz::writeFile(dir / "M.DBT",
                       std::string_view(reinterpret_cast<const char*>(data) + head, size - head));

  zrv::Table::Options o;
  o.mode = zrv::OpenMode::kExclusive;
  auto t = zrv::Table::open(table, zrv::fuzz::fuzzClock(), o);
  if (!t) {
    if (t.message().empty()) abort();
    return 0;
  }
  zrv::Table& tb = **t;
  for (std::uint32_t r = 1; r <= 8; ++r) {
    if (!tb.goTo(r)) break;
    auto text = tb.getString("NOTE");
    if (!text && text.message().empty()) abort();
  }
  if (tb.goTo(3)) {
    (void)tb.setString("NOTE", "neues Memo");
    (void)tb.commit();
    auto back = tb.getString("NOTE");
    if (back && *back != "neues Memo") abort();  // a new memo must never be lost
  }
  (void)tb.pack();
  return 0;
}
