#include "network/user_names.h"

#include "app/table_names.h"
#include "store/base/codepage.h"

namespace zrv {
namespace {

constexpr std::size_t kTableNameLength = 8;

// Characters of the Windows character set that no Windows file name holds.
bool forbiddenInFileName(unsigned char c) {
  return c < 0x20 || c == 0x7F ||
         std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

bool dotsOnly(std::string_view s) {
  return s == "." || s == "..";
}

}  // namespace

std::string chkUmlaut(std::string_view name) {
  // Windows-1252 from here on: one byte is one character.
  const std::string upper = utf8ToCp1252(upperName(name));
  std::string spelt;
  for (const char c : upper) {
    switch (static_cast<unsigned char>(c)) {
      case 0xC4:
        spelt += "AE";
        break;  // Ä
      case 0xD6:
        spelt += "OE";
        break;  // Ö
      case 0xDC:
        spelt += "UE";
        break;  // Ü
      case 0xDF:
        spelt += "SS";
        break;  // ß
      default:
        spelt += c;
    }
  }
  const auto end = spelt.find_last_not_of(' ');
  spelt.resize(end == std::string::npos ? 0 : end + 1);
  const auto blank = spelt.rfind(' ');
  const std::string surname = blank == std::string::npos ? spelt : spelt.substr(blank + 1);
  std::string file;
  for (const char c : surname) {
    if (!forbiddenInFileName(static_cast<unsigned char>(c))) file += c;
  }
  if (file.size() > kTableNameLength) file.resize(kTableNameLength);
  if (file.empty() || dotsOnly(file)) return kDefaultUserFile;
  return cp1252ToUtf8(file);
}

bool plainUserFile(std::string_view file) {
  const std::string bytes = utf8ToCp1252(file);
  if (bytes.empty() || dotsOnly(bytes)) return false;
  for (const char c : bytes) {
    if (forbiddenInFileName(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace zrv
