// What the storage fuzz targets share: a scratch directory in memory, and the fixed tables the
// memo and index targets put beside the fuzzed file (the seed generator builds the same ones).
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "store/base/clock.h"
#include "store/base/file_io.h"
#include "store/xbase/table.h"

namespace zrv::fuzz {

inline const std::filesystem::path& scratchDir() {
  static const std::filesystem::path dir = [] {
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string tmpl = (base / "zrvfuzz-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) abort();
    return std::filesystem::path(tmpl);
  }();
  return dir;
}

inline const Clock& fuzzClock() {
  static const FixedClock clock("15.03.2024", "10:00");
  return clock;
}

inline void writeFile(const std::filesystem::path& p, std::string_view bytes) {
  UniqueFile f = openFile(p, "wb");
  if (!f) abort();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size())
    abort();
}

// The table the index target indexes: 60 records with a text key, a number and a flag.
inline std::string indexedTable() {
  static const std::string bytes = [] {
    const auto file = scratchDir() / "seed-indexed.dbf";
    std::filesystem::remove(file);
    if (!Table::create(file, {{"NAME", 'C', 10, 0}, {"NUM", 'N', 3, 0}, {"QUIT", 'L', 1, 0}},
                       fuzzClock())) {
      abort();
    }
    Table::Options o;
    o.mode = OpenMode::kExclusive;
    auto t = Table::open(file, fuzzClock(), o);
    if (!t) abort();
    for (int i = 0; i < 60; ++i) {
      if (!(*t)->append() || !(*t)->setString("NAME", "k" + std::to_string(i * 7 % 60)) ||
          !(*t)->setNumber("NUM", i % 13) || !(*t)->setLogical("QUIT", i % 4 == 0)) {
        abort();
      }
    }
    if (!(*t)->close()) abort();
    return *readWholeFile(file);
  }();
  return bytes;
}

// The index definitions the index target falls back to (and the seeds use).
inline IndexDef indexKey() {
  return IndexDef{"NAME", ".not. QUIT", false, {}};
}
inline IndexDef numberKey() {
  return IndexDef{"str(NUM)+NAME", "", false, {}};
}

// A table of eight records with a memo field; the memo target writes its pointers.
inline const Structure& memoFields() {
  static const Structure s = {{"NAME", 'C', 4, 0}, {"NOTE", 'M', 10, 0}};
  return s;
}

}  // namespace zrv::fuzz
