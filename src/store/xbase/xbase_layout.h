// The on-disk layout of the dBASE III table, the DBT memo file and the NTX index, in one place
// for readers and writers: byte offsets, sizes, constants and little-endian helpers.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace zrv::xbase {

// ---- little-endian integers -------------------------------------------------------------
inline std::uint16_t get16(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}
inline std::uint32_t get32(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
         (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}
inline void put16(char* p, std::uint32_t v) {
  p[0] = static_cast<char>(v & 0xFF);
  p[1] = static_cast<char>((v >> 8) & 0xFF);
}
inline void put32(char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// The first eight bytes of `p` (zeros behind a shorter run of `size`) as one number that orders
// as the bytes do: keys and stored dates compared without a call to memcmp.
inline std::uint64_t orderedPrefix8(const char* p, std::size_t size = 8) {
  unsigned char bytes[8] = {};
  std::memcpy(bytes, p, size < 8 ? size : 8);
  std::uint64_t v = 0;
  for (unsigned char b : bytes)
    v = (v << 8) | b;
  return v;
}

// ---- dBASE III table ----------------------------------------------------------------------
namespace dbf {
constexpr std::size_t kHeaderSize = 32;            // fixed part of the header
constexpr unsigned char kVersionPlain = 0x03;      // no memo file
constexpr unsigned char kVersionMemo = 0x83;       // with a DBT memo file
constexpr std::size_t kOffVersion = 0;             // 1 byte
constexpr std::size_t kOffUpdateYmd = 1;           // 3 bytes: year - 1900, month, day
constexpr std::size_t kOffRecordCount = 4;         // uint32
constexpr std::size_t kOffHeaderLength = 8;        // uint16: file offset of record 1
constexpr std::size_t kOffRecordLength = 10;       // uint16: 1 + sum of field widths
constexpr std::size_t kDescriptorSize = 32;        // one field descriptor
constexpr std::size_t kOffFieldName = 0;           // 11 bytes, NUL padded
constexpr std::size_t kFieldNameSize = 11;         //
constexpr std::size_t kOffFieldType = 11;          // 1 byte: C N D L M
constexpr std::size_t kOffFieldWidth = 16;         // 1 byte
constexpr std::size_t kOffFieldDecimals = 17;      // 1 byte (high width byte of wide C)
constexpr char kHeaderEnd = 0x0D;                  // after the last descriptor
constexpr char kEndOfFile = 0x1A;                  // after the last record
constexpr char kActive = ' ';                      // deletion flag: active
constexpr char kDeleted = '*';                     // deletion flag: deleted
constexpr std::uint32_t kMaxRecordLength = 65535;  //
}  // namespace dbf

// ---- DBT memo file ------------------------------------------------------------------------
namespace dbt {
constexpr std::size_t kBlockSize = 512;
constexpr std::size_t kOffNextFree = 0;  // uint32 in block 0: first unused block
constexpr std::size_t kOffVersion = 16;  // 1 byte in block 0
constexpr char kVersion = 0x03;
constexpr char kTerminator = 0x1A;          // a memo text ends with two of them
constexpr std::size_t kMaxMemo = 4u << 20;  // longest memo text this engine reads
}  // namespace dbt

// ---- NTX index ------------------------------------------------------------------------------
namespace ntx {
constexpr std::size_t kPageSize = 1024;
constexpr std::uint16_t kSignature = 0x0006;     // Clipper 5
constexpr std::uint16_t kSignatureFor = 0x0001;  // bit: a FOR condition is stored
constexpr std::uint16_t kSignatureOld = 0x0003;  // Summer '87: readable, no FOR
constexpr std::size_t kOffSignature = 0;         // uint16
constexpr std::size_t kOffVersion = 2;           // uint16: update counter
constexpr std::size_t kOffRoot = 4;              // uint32: root page offset
constexpr std::size_t kOffFreePage = 8;          // uint32: first free page, 0 = none
constexpr std::size_t kOffItemSize = 12;         // uint16: key size + 8
constexpr std::size_t kOffKeySize = 14;          // uint16
constexpr std::size_t kOffKeyDecimals = 16;      // uint16
constexpr std::size_t kOffMaxItems = 18;         // uint16
constexpr std::size_t kOffHalfPage = 20;         // uint16
constexpr std::size_t kOffKeyExpr = 22;          // 256 bytes, NUL terminated
constexpr std::size_t kExprSize = 256;           //
constexpr std::size_t kOffUnique = 278;          // 1 byte
constexpr std::size_t kOffDescend = 280;         // 1 byte
constexpr std::size_t kOffForExpr = 282;         // 256 bytes, NUL terminated
constexpr std::size_t kMaxKeySize = 250;
// Tree page: count (uint16), offset table of max+1 uint16 slots, then the items.
// Item: child page offset (4), record number (4), key (key size).
constexpr std::size_t kOffCount = 0;
constexpr std::size_t kOffSlots = 2;
constexpr std::size_t kItemChild = 0;
constexpr std::size_t kItemRecno = 4;
constexpr std::size_t kItemKey = 8;

// Items per page for a key size (the formula Clipper-compatible writers use).
inline int maxItems(int keySize) {
  int m = static_cast<int>(1022 / (keySize + 10)) - 1;
  if (m % 2 == 1 && m > 2) --m;
  return m;
}
}  // namespace ntx

// ---- byte-range locks (offsets of the Clipper convention) -----------------------------------
namespace lock {
constexpr long long kBase = 1000000000LL;    // record n: kBase + n, length 1
constexpr long long kAppend = kBase;         // append / header update, length 1
constexpr long long kFileStart = kBase + 1;  // whole table
constexpr long long kFileLength = 1000000000LL;
constexpr long long kIndex = kBase;  // NTX read (shared) / update (exclusive)
constexpr long long kMemo = 0;       // DBT write (exclusive)
// How long a change waits for another program's momentary lock (append, memo, index).
constexpr int kPatienceMs = 2000;
}  // namespace lock

}  // namespace zrv::xbase
