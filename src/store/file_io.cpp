#include "store/file_io.h"

#include <unistd.h>

#include <system_error>

namespace zrv {

std::optional<std::string> readWholeFile(const std::filesystem::path& p) {
  UniqueFile f = openFile(p, "rb");
  if (!f) return std::nullopt;
  std::string bytes;
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0)
    bytes.append(buf, n);
  if (std::ferror(f.get())) return std::nullopt;
  return bytes;
}

bool syncFile(std::FILE* f) {
  return std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
}

bool replaceFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
  std::filesystem::path tmp = target;
  tmp += ".~tmp";
  {
    UniqueFile f = openFile(tmp, "wb");
    if (!f) return false;
    const bool ok =
        std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size() && syncFile(f.get());
    if (!ok) {
      f.reset();
      std::error_code ec;
      std::filesystem::remove(tmp, ec);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(tmp, target, ec);
  if (ec) std::filesystem::remove(tmp, ec);
  return !ec;
}

bool copyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to) {
  const auto bytes = readWholeFile(from);
  return bytes && replaceFileAtomically(to, *bytes);
}

}  // namespace zrv
