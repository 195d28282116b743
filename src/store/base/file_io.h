// RAII for C file handles, and the one way the program replaces a file: write a temporary
// file beside it, flush it to disk, then rename it over the old one.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zrv {

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

inline UniqueFile openFile(const std::filesystem::path& p, const char* mode) {
  return UniqueFile(std::fopen(p.c_str(), mode));
}

// The whole file as bytes, or nullopt when it cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path& p);

// Replaces `target` by `bytes` only once they are completely on disk (temporary file, fsync,
// rename). On failure the old file is untouched and false is returned, errno telling why. An
// existing target keeps its permission bits; a new one gets `newFileMode` (less the umask).
// Either way no bit outside `modeMask` stays (0600: the file may hold a password). A symbolic
// link is followed: the file it points to is replaced, the link stays.
bool replaceFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                           unsigned newFileMode = 0666, unsigned modeMask = 07777);

// The same, but a target that already holds exactly `bytes` is left as it is (only bits
// outside `modeMask` are taken away), which spares settings written unchanged the wait for
// the disk.
bool replaceFileIfChanged(const std::filesystem::path& target, std::string_view bytes,
                          unsigned newFileMode = 0666, unsigned modeMask = 07777);

// Copies `from` over `to` like replaceFileIfChanged; false when `from` cannot be read or `to`
// not written.
bool copyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to,
                        unsigned newFileMode = 0666, unsigned modeMask = 07777);

// Creates `dir` and its missing parents with mode 0700 (only the owner may enter, whatever
// the umask). False when it cannot be made.
bool createPrivateDirectories(const std::filesystem::path& dir);

// The temporary files of the replacements above are named "<target>.~<host>-<pid>-<n>": the
// machine and the process that write them, so that a start-up removes only the leftovers of
// its own machine's dead processes, never those of another workstation on a shared directory.
struct TemporaryOwner {
  std::string host;
  long pid = 0;
};
// The writer of a temporary file named `fileName`; nullopt for any other name.
std::optional<TemporaryOwner> temporaryOwner(std::string_view fileName);
// This machine's name as temporary files carry it: its host name, every character other than
// letters, digits, "." and "_" replaced by "_" ("localhost" without one).
const std::string& temporaryHost();

// Flushes a stdio stream and its descriptor to disk.
bool syncFile(std::FILE* f);

}  // namespace zrv
