#include "store/base/file_stamp.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>

namespace zrv {

std::optional<FileStamp> fileStamp(const std::filesystem::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return std::nullopt;
  std::tm local{};
  const std::time_t t = st.st_mtime;
  if (!::localtime_r(&t, &local)) return std::nullopt;
  const auto date = Date::fromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  if (!date) return std::nullopt;
  char time[16];
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
  return FileStamp{*date, time};
}

bool qlFileUpdate(const std::filesystem::path& file, Date& date, std::string& time) {
  const std::optional<FileStamp> now = fileStamp(file);
  if (!now) {
    date = Date();
    time.clear();
    return true;
  }
  if (now->date == date && now->time == time) return false;
  date = now->date;
  time = now->time;
  return true;
}

}  // namespace zrv
