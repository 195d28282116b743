// The file operations that replace, remove and look for whole files, behind one seam: the
// program uses the operating system's, a test puts in one that fails a chosen operation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "store/base/status.h"

namespace zrv {

class FileOps {
 public:
  virtual ~FileOps() = default;
  virtual bool exists(const std::filesystem::path& file);
  // Reads the whole file.
  virtual Result<std::string> readFile(const std::filesystem::path& file);
  // Replaces `file` by `bytes` once they are on disk (temporary file, sync, rename).
  virtual Status writeFile(const std::filesystem::path& file, std::string_view bytes);
  virtual Status rename(const std::filesystem::path& from, const std::filesystem::path& to);
  // Removing a file that does not exist is no error.
  virtual Status remove(const std::filesystem::path& file);
  // Makes renames and removals in `dir` durable.
  virtual Status syncDirectory(const std::filesystem::path& dir);
  // Writes `n` bytes at `offset` of the open file `fd` (named `file`), all of them or fails.
  virtual Status writeAt(int fd, const std::filesystem::path& file, std::uint64_t offset,
                         const void* bytes, std::size_t n);
  // Makes the data written to `fd` durable (fdatasync).
  virtual Status syncData(int fd, const std::filesystem::path& file);
  // Reserves `length` bytes from `offset` of the open file `fd` (fallocate; the file grows to
  // cover them). A file system that cannot reserve ahead is no error.
  virtual Status allocate(int fd, const std::filesystem::path& file, std::uint64_t offset,
                          std::uint64_t length);
};

// The file operations in force: the operating system's unless a test replaced them.
FileOps& fileOps();

// Puts `ops` in force for its lifetime (tests; one thread).
class FileOpsOverride {
 public:
  explicit FileOpsOverride(FileOps& ops);
  ~FileOpsOverride();
  FileOpsOverride(const FileOpsOverride&) = delete;
  FileOpsOverride& operator=(const FileOpsOverride&) = delete;

 private:
  FileOps* previous_;
};

}  // namespace zrv
