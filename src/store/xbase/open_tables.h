// The tables open in this process, as the error report lists them: alias, position, count and
// the index orders. Tables are entered when opened and leave when closed or destroyed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zrv {

struct OpenIndexFacts {
  std::string key;  // the key expression as stored
  std::filesystem::path file;
  bool controlling = false;
};

struct OpenTableFacts {
  std::string alias;
  std::filesystem::path file;
  std::uint32_t recno = 0;
  std::uint32_t recCount = 0;
  bool bof = false;
  bool eof = false;
  std::vector<OpenIndexFacts> indexes;
};

// The open tables in the order they were opened.
std::vector<OpenTableFacts> openTables();

}  // namespace zrv
