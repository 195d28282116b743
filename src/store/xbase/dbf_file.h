// The dBASE III data file: its header (encoder and validating decoder) and record I/O.
// Internal to the storage engine.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/base/date.h"
#include "store/base/status.h"
#include "store/xbase/os_file.h"
#include "store/xbase/table_structure.h"

namespace zrv {

struct DbfHeader {
  unsigned char version = 0;
  std::uint32_t recordCount = 0;
  std::uint32_t headerLength = 0;
  std::uint32_t recordLength = 0;
  Structure fields;
  std::vector<std::uint32_t> offsets;  // of each field in the record (the flag is byte 0)
  bool hasMemo() const;
};

// Checks names (A-Z 0-9 _, 1..10 characters, unique), types and widths of a new structure.
Status checkStructure(const Structure& fields);
// The whole header of a new table: fixed part, descriptors and the 0x0D terminator.
std::string encodeDbfHeader(const Structure& fields, std::uint32_t recordCount, const Date& today);
// Validates and decodes a header. `fileSize` is checked against the records the header claims.
Result<DbfHeader> decodeDbfHeader(std::string_view bytes, std::uint64_t fileSize,
                                  const std::filesystem::path& file);

class DbfFile {
 public:
  // Opens and validates an existing table file.
  static Result<DbfFile> open(const std::filesystem::path& path, OsFile::Access access);
  // Validates the table in an already open file and takes it over.
  static Result<DbfFile> attach(OsFile file);

  const DbfHeader& header() const { return header_; }
  OsFile& file() { return file_; }
  const std::filesystem::path& path() const { return file_.path(); }
  std::uint32_t recordCount() const { return header_.recordCount; }
  std::uint64_t recordOffset(std::uint32_t recno) const {
    return header_.headerLength + std::uint64_t(recno - 1) * header_.recordLength;
  }

  // recno 1..recordCount(). A record cut short by the end of the file is damage.
  Status readRecord(std::uint32_t recno, std::string& out) const;
  // Reads records first .. first+count-1 into `out` (count * recordLength bytes).
  Status readRecords(std::uint32_t first, std::uint32_t count, std::string& out) const;
  Status writeRecord(std::uint32_t recno, std::string_view record);
  // Writes the record after the last one, the end-of-file mark and the new count and date.
  Status appendRecord(std::string_view record, const Date& today);
  // Re-reads the record count from the header (another program may have appended).
  Status refreshCount();
  // The whole records the file holds behind the header's count (flag byte blank or '*').
  Result<std::uint32_t> recordsBeyondCount() const;
  // Writes a new record count (and the date) into the header.
  Status setRecordCount(std::uint32_t count, const Date& today);

 private:
  Status writeCount(const Date& today);
  OsFile file_;
  DbfHeader header_;
};

}  // namespace zrv
