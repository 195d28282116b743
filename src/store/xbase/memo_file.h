// The dBASE III memo file (.DBT): 512-byte blocks, block 0 the header with the next free
// block; each memo text starts at a block and ends with 0x1A 0x1A. Internal to the engine.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "store/base/status.h"
#include "store/xbase/os_file.h"

namespace zrv {

class MemoFile {
 public:
  // Creates a memo file holding only its header (kExists when it exists).
  static Result<MemoFile> create(const std::filesystem::path& path);
  static Result<MemoFile> open(const std::filesystem::path& path, OsFile::Access access);
  static Result<MemoFile> attach(OsFile file);

  OsFile& file() { return file_; }
  const std::filesystem::path& path() const { return file_.path(); }

  // The text (Windows-1252) that starts at `block`; block 0 is no memo. A block beyond the end
  // of the file, or a text without its end mark, is damage.
  Result<std::string> read(std::uint32_t block) const;
  // Appends a text at the first free block and returns that block. 0x1A bytes in the text
  // (which would end it early) are stored as blanks. An empty text is not stored (block 0).
  Result<std::uint32_t> append(std::string_view text);
  // The next-free block from the header (re-read: another program may have appended).
  Status refresh();
  // Where the next memo goes: the header's block, or the end of the file when that is later.
  std::uint32_t nextFree() const { return nextFree_; }

 private:
  OsFile file_;
  std::uint32_t nextFree_ = 1;
};

// Writes a new memo file in one sweep (for pack): texts are collected in memory and written
// in large pieces; finish() writes the header.
class MemoWriter {
 public:
  explicit MemoWriter(OsFile file) : file_(std::move(file)) {}
  // The block the text will start at (0 for an empty text).
  Result<std::uint32_t> append(std::string_view text);
  // Writes what is left and the header; the file is then a complete memo file.
  Status finish();
  OsFile& file() { return file_; }

 private:
  Status drain();
  OsFile file_;
  std::string buffer_;
  std::uint64_t bufferStart_ = 512;  // file offset of buffer_[0]
  std::uint32_t nextFree_ = 1;
};

// The number a memo field holds: blanks or 0 are "no memo" (0); nullopt when the ten bytes
// are not a number.
std::optional<std::uint32_t> parseMemoBlock(std::string_view stored);
// The ten bytes of a memo field for `block` (blanks for 0).
std::string formatMemoBlock(std::uint32_t block);

}  // namespace zrv
