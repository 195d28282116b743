// Fuzzes the recovery of the redo journal: any bytes as the journal a crash left beside a sound
// table must be applied, dropped or refused with a message, never crash, and leave a table
// that opens.
#include <cstddef>
#include <cstdint>

#include "fuzz_scratch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto dir = zrv::fuzz::scratchDir();
  zrv::fuzz::writeFile(dir / "I.DBF", zrv::fuzz::indexedTable());
  zrv::fuzz::writeFile(dir / "I.DBF.~jn",
                       std::string_view(reinterpret_cast<const char*>(data), size));
  zrv::Table::Options o;
  o.mode = zrv::OpenMode::kExclusive;
  auto t = zrv::Table::open(dir / "I.DBF", zrv::fuzz::fuzzClock(), o);
  if (!t) {
    if (t.message().empty()) abort();
    return 0;
  }
  for (bool ok = (*t)->goTop().isOk(); ok && !(*t)->eof(); ok = (*t)->skip().isOk()) {
    (void)(*t)->getString("NAME");
  }
  if (std::filesystem::exists(dir / "I.DBF.~jn")) abort();  // recovery always ends the journal
  return 0;
}
