#include "support/logbook_capture.h"

#include <algorithm>

#include "store/base/codepage.h"
#include "store/base/file_io.h"

namespace zrv::test {

LogbookCapture::LogbookCapture() : LogbookCapture("15.05.2024") {}

LogbookCapture::LogbookCapture(const std::string& date, const std::string& time)
    : clock_(date, time), log_(dir_ / "Zorvane.Log", "Test", clock_) {
  clear();
}

void LogbookCapture::clear() {
  log_.setEnabled(true);
  log_.log("Test", "");  // starts a fresh file with its header and one line
}

std::vector<std::string> readLogbookLines(const std::filesystem::path& file, int skip) {
  const std::string text = cp1252ToUtf8(readWholeFile(file).value_or(""));
  std::vector<std::string> out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(pos, end - pos);
    if (skip > 0) {
      --skip;
    } else {
      out.push_back(line.size() > 9 ? line.substr(9) : line);  // "HH:MM:SS "
    }
    pos = end + 2;
  }
  return out;
}

std::vector<std::string> LogbookCapture::lines() const {
  return readLogbookLines(dir_ / "Zorvane.Log", 3);  // header, rule and the line that started it
}

bool LogbookCapture::has(const std::string& place, const std::string& text) const {
  const std::vector<std::string> all = lines();
  return std::find(all.begin(), all.end(), "(" + place + ") " + text) != all.end();
}

}  // namespace zrv::test
