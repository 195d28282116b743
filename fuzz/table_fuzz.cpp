// Fuzzes the table reader: any bytes as a dBASE table (with a valid memo file beside it) must
// open or be refused with a message, and every record must read, move, change and pack
// without a crash.
#include <cstddef>
#include <cstdint>

#include "fuzz_scratch.h"

namespace {

void exercise(zrv::Table& t) {
  int seen = 0;
  for (bool ok = t.goTop().isOk(); ok && !t.eof() && seen < 200; ok = t.skip().isOk(), ++seen) {
    for (const zrv::FieldDef& f : t.structure())
      (void)t.get(f.name);
  }
  (void)t.goBottom();
  (void)t.skip(-3);
  (void)t.goTo(2);
  if (t.eof()) return;
  for (const zrv::FieldDef& f : t.structure()) {
    (void)t.setString(f.name, "Änderung");
    (void)t.setNumber(f.name, -1.5);
    (void)t.setDate(f.name, zrv::fuzz::fuzzClock().today());
    (void)t.setLogical(f.name, true);
  }
  (void)t.deleteRecord();
  (void)t.append();
  (void)t.commit();
  (void)t.pack();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto dir = zrv::fuzz::scratchDir();
  std::filesystem::remove(dir / "T.DBF.~jn");  // each input starts without history
  std::filesystem::remove(dir / "T.DBF.~pack");
  zrv::fuzz::writeFile(dir / "T.DBF", std::string_view(reinterpret_cast<const char*>(data), size));
  std::string memo(512, '\0');
  memo[0] = 3;  // next free block
  memo += std::string("erstes Memo\x1A\x1A", 13) + std::string(499, '\0');
  memo += std::string("zweites\r\nMemo\x1A\x1A", 15);
  zrv::fuzz::writeFile(dir / "T.DBT", memo);
  zrv::Table::Options o;
  o.mode = zrv::OpenMode::kExclusive;
  auto t = zrv::Table::open(dir / "T.DBF", zrv::fuzz::fuzzClock(), o);
  if (!t) {
    if (t.message().empty()) abort();
    return 0;
  }
  exercise(**t);
  return 0;
}
