// The modification date and time of a file, as the due check compares them to notice that
// another program changed the appointment table.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "store/base/date.h"

namespace zrv {

struct FileStamp {
  Date date;         // local date of the last modification
  std::string time;  // local time "HH:MM:SS"
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// nullopt when the file does not exist or cannot be examined.
std::optional<FileStamp> fileStamp(const std::filesystem::path& file);

}  // namespace zrv
