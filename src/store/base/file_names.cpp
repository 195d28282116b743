#include "store/base/file_names.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "store/base/ascii_case.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

std::string trim(std::string_view s) {
  const auto b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return "";
  const auto e = s.find_last_not_of(" \t");
  return std::string(s.substr(b, e - b + 1));
}

// "/a/b/" and "/a/b" name the same directory; lexical operations need the second form.
fs::path directoryForm(const fs::path& dir) {
  fs::path d = dir.lexically_normal();
  if (!d.has_filename() && d.has_relative_path()) d = d.parent_path();
  return d;
}

}  // namespace

fs::path findFile(const fs::path& dir, std::string_view name) {
  std::error_code ec;
  const fs::path exact = dir / fs::path(std::string(name));
  if (fs::exists(exact, ec)) return exact;
  for (fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (equalsIgnoringCase(entry, name)) return dir / entry;
  }
  return exact;
}

bool fileExists(const fs::path& dir, std::string_view name) {
  std::error_code ec;
  return fs::exists(findFile(dir, name), ec);
}

fs::path resolveStoredPath(const fs::path& programDir, std::string_view stored) {
  std::string text = trim(stored);
  std::replace(text.begin(), text.end(), '\\', '/');
  if (text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':') {
    text.erase(0, 2);
  }
  fs::path result = !text.empty() && text[0] == '/' ? fs::path("/") : directoryForm(programDir);
  std::size_t pos = 0;
  while (pos <= text.size()) {
    const std::size_t next = std::min(text.find('/', pos), text.size());
    const std::string part = text.substr(pos, next - pos);
    pos = next + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      result = result.parent_path();
      continue;
    }
    result = findFile(result, part);
  }
  return result;
}

std::string storedForm(const fs::path& programDir, const fs::path& path) {
  const fs::path dir = directoryForm(programDir);
  const fs::path rel = path.lexically_normal().lexically_relative(dir);
  if (path.is_absolute() && !rel.empty() && *rel.begin() != "..") {
    std::string s = ".\\" + rel.string();
    std::replace(s.begin(), s.end(), '/', '\\');
    return s;
  }
  return path.string();
}

}  // namespace zrv
