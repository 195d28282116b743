#include "app/table_names.h"

#include <system_error>
#include <vector>

#include "store/appointments/appointment_table.h"
#include "store/base/codepage.h"
#include "store/base/file_names.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

// Upper case of one Windows-1252 byte.
char upper1252(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char>(c - 0x20);
  switch (c) {
    case 0x9A:  // š
    case 0x9C:  // œ
    case 0x9E:  // ž
      return static_cast<char>(c - 0x10);
    case 0xFF:  // ÿ
      return static_cast<char>(0x9F);
    default:
      return static_cast<char>(c);
  }
}

std::string trimmed(std::string_view s) {
  const auto b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return "";
  const auto e = s.find_last_not_of(" \t");
  return std::string(s.substr(b, e - b + 1));
}

bool endsWithTer(std::string_view upper) {
  return upper.size() >= 4 && upper.substr(upper.size() - 4) == ".TER";
}

}  // namespace

const std::array<const char*, 7>& tableFileExtensions() {
  static const std::array<const char*, 7> kExtensions = {".TER", ".DBT", ".NT1", ".NT2",
                                                         ".NT3", ".NT4", ".KAL"};
  return kExtensions;
}

std::string upperName(std::string_view utf8) {
  std::string text = utf8ToCp1252(utf8);
  for (char& c : text)
    c = upper1252(static_cast<unsigned char>(c));
  return cp1252ToUtf8(text);
}

std::string tableNameOf(std::string_view chosen, std::size_t maxLength) {
  const auto slash = chosen.find_last_of("/\\");
  if (slash != std::string_view::npos) chosen.remove_prefix(slash + 1);
  // Cut in the Windows character set: one byte is one character there.
  std::string name = utf8ToCp1252(upperName(chosen));
  if (endsWithTer(name)) name.resize(name.size() - 4);
  name = trimmed(name);
  if (maxLength > 0 && name.size() > maxLength) name.resize(maxLength);
  return trimmed(cp1252ToUtf8(name));
}

bool sameTableName(std::string_view a, std::string_view b) {
  return upperName(a) == upperName(b);
}

fs::path tableBase(const fs::path& programDir, std::string_view name) {
  // Only the directories are looked up: the name itself would also match the program file
  // "zorvane" beside ZORVANE.TER. The table's files are found by their full names.
  const std::string text = trimmed(name);
  const auto slash = text.find_last_of("/\\");
  const std::string leaf = slash == std::string::npos ? text : text.substr(slash + 1);
  if (slash == std::string::npos) return programDir / leaf;
  return resolveStoredPath(programDir, text.substr(0, slash + 1)) / leaf;
}

bool tableExists(const fs::path& programDir, std::string_view name) {
  if (trimmed(name).empty()) return false;
  std::error_code ec;
  return fs::is_regular_file(appointmentTableFile(tableBase(programDir, name)), ec);
}

bool deleteTableFiles(const fs::path& programDir, std::string_view name) {
  const fs::path base = tableBase(programDir, name);
  const std::string stem = upperName(base.filename().string());
  if (stem.empty()) return true;
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(base.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string entry = upperName(it->path().filename().string());
    std::error_code dc;
    for (const char* ext : tableFileExtensions()) {
      if (entry == stem + ext && !it->is_directory(dc)) files.push_back(it->path());
    }
  }
  bool ok = !ec;
  for (const fs::path& f : files) {
    if (!fs::remove(f, ec) && ec) ok = false;
  }
  return ok;
}

}  // namespace zrv
