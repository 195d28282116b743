// Fuzzes the index reader: any bytes as an NTX file of a fixed table must be opened and
// maintained, or refused with a message (or rebuilt, when the caller gives the definition).
// Navigation, seeking and record changes on whatever was accepted must not crash, and an
// accepted index must stay in key order through the changes.
#include <cstddef>
#include <cstdint>

#include "fuzz_scratch.h"

namespace {

void walkInOrder(zrv::Table& t) {
  std::string last;
  int steps = 0;
  for (bool ok = t.goTop().isOk(); ok && !t.eof() && steps < 500; ok = t.skip().isOk(), ++steps) {
    (void)t.getString("NAME");
  }
  (void)t.goBottom();
  for (int i = 0; i < 20 && !t.bof(); ++i) {
    if (!t.skip(-1)) break;
  }
  (void)t.seek("k1");
  (void)t.seek("k5", true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto dir = zrv::fuzz::scratchDir();
  std::filesystem::remove(dir / "I.DBF.~jn");  // each input starts without history
  zrv::fuzz::writeFile(dir / "I.DBF", zrv::fuzz::indexedTable());
  zrv::fuzz::writeFile(dir / "I.NTX", std::string_view(reinterpret_cast<const char*>(data), size));
  zrv::Table::Options o;
  o.mode = zrv::OpenMode::kExclusive;
  auto t = zrv::Table::open(dir / "I.DBF", zrv::fuzz::fuzzClock(), o);
  if (!t) abort();  // the table itself is sound
  zrv::Table& tb = **t;
  const zrv::IndexDef fallback = zrv::fuzz::indexKey();
  const bool rebuild = size % 2 == 1;
  const zrv::Status opened = tb.openIndex(dir / "I.NTX", rebuild ? &fallback : nullptr);
  if (!opened) {
    if (opened.message().empty() || rebuild) abort();  // with a fallback it must open
    return 0;
  }
  walkInOrder(tb);
  // Changes go through the tree that was read: keys move, records leave and join the index.
  for (std::uint32_t r = 1; r <= 60; r += 3) {
    if (!tb.goTo(r)) break;
    (void)tb.setString("NAME", "z" + std::to_string(r * 11 % 60));
    (void)tb.setLogical("QUIT", r % 2 == 0);
    if (!tb.flush()) break;
  }
  for (int i = 0; i < 10; ++i) {
    if (!tb.append() || !tb.setString("NAME", "n" + std::to_string(i)) || !tb.flush()) break;
  }
  walkInOrder(tb);
  return 0;
}
