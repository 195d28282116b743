// The settings file on disk, read and written one key at a time like the private-profile
// functions: a missing file or key gives the default, values are written as text, and a write
// keeps every other line. The file is Windows-1252 with CR LF; the values here are UTF-8.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/ini_document.h"

namespace zrv {

class IniFile {
 public:
  // `newFileMode`: permission bits of the file when a write has to create it; an existing file
  // loses any other bit at a write (the file may hold a password).
  explicit IniFile(std::filesystem::path file, unsigned newFileMode = 0600);

  const std::filesystem::path& path() const { return file_; }

  // The value of [section] key, or `def` when the file, the section or the key is missing.
  // A key that is present with an empty value gives "".
  std::string read(std::string_view section, std::string_view key, std::string_view def) const;
  // Writes one key (creating the file, the section or the key as needed). The file is replaced
  // only when its new content is complete; false when it could not be written (it is then
  // unchanged) or when an existing file could not be read.
  bool write(std::string_view section, std::string_view key, std::string_view value) const;

  // Several keys in one replacement of the file: `edit` changes the current content.
  bool update(const std::function<void(IniDocument&)>& edit) const;

  // The whole file; an empty document when it is missing or unreadable.
  IniDocument load() const;
  // Replaces the whole file by the document; false on failure (the file is then unchanged).
  bool store(const IniDocument& doc) const;

 private:
  // The file as a document; an empty one when it does not exist, nullopt when it cannot be read.
  std::optional<IniDocument> loadForUpdate() const;

  std::filesystem::path file_;
  unsigned newFileMode_;
};

}  // namespace zrv
