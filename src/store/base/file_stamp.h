// The modification date and time of a file, as the due check compares them to notice that
// another program changed the appointment table, and qlFileUpdate, which remembers them.
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

// qlFileUpdate: true when the file's date or time differs from the remembered `date` / `time`,
// which then take the file's; false when both are the same. A file that does not exist (or
// cannot be examined) counts as changed every time and leaves the remembered values empty, so
// that whoever relies on it looks again.
bool qlFileUpdate(const std::filesystem::path& file, Date& date, std::string& time);

}  // namespace zrv
