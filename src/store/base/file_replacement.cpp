#include "store/base/file_replacement.h"

#include <sstream>

#include "store/base/file_ops.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

bool plainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

fs::path directoryOf(const fs::path& file) {
  return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// Renames every new file that is still there over its target, the last-listed first, then
// (with `sync`) makes that durable.
Status renameAll(const std::vector<fs::path>& from, const std::vector<fs::path>& to,
                 bool sync = true) {
  FileOps& ops = fileOps();
  for (std::size_t i = from.size(); i-- > 0;) {
    if (!ops.exists(from[i])) continue;  // renamed before an interruption
    if (Status s = ops.rename(from[i], to[i]); !s) return s;
  }
  if (from.empty() || !sync) return {};
  return ops.syncDirectory(directoryOf(to.front()));
}

}  // namespace

NewFileName withSuffixName(std::string suffix) {
  return [suffix](const fs::path& target, std::size_t) {
    fs::path p = target;
    p += suffix;
    return p;
  };
}

FileReplacement::FileReplacement(fs::path marker, NewFileName newName)
    : marker_(std::move(marker)), newName_(std::move(newName)) {}

FileReplacement::~FileReplacement() {
  if (done_ || markerWritten_) return;
  for (const fs::path& p : newFiles_)
    (void)fileOps().remove(p);
}

fs::path FileReplacement::add(const fs::path& target) {
  targets_.push_back(target);
  newFiles_.push_back(newName_(target, targets_.size() - 1));
  (void)fileOps().remove(newFiles_.back());
  return newFiles_.back();
}

Status FileReplacement::commit(Durability durability) {
  FileOps& ops = fileOps();
  if (durability == Durability::kQuick) {
    Status s = renameAll(newFiles_, targets_, false);
    done_ = s.isOk();
    return s;
  }
  std::ostringstream list;
  for (const fs::path& t : targets_)
    list << t.filename().string() << '\n';
  if (Status s = ops.writeFile(marker_, list.str()); !s) return s;
  if (Status s = ops.syncDirectory(directoryOf(marker_)); !s) return s;
  markerWritten_ = true;
  if (Status s = renameAll(newFiles_, targets_); !s) return s;
  done_ = true;
  return ops.remove(marker_);
}

bool FileReplacement::pending(const fs::path& marker) {
  return fileOps().exists(marker);
}

Result<bool> FileReplacement::finish(const fs::path& marker, const NewFileName& newName) {
  FileOps& ops = fileOps();
  if (!ops.exists(marker)) return false;
  auto text = ops.readFile(marker);
  if (!text) return text.status();
  std::vector<fs::path> from, to;
  std::istringstream lines(*text);
  std::string name;
  while (std::getline(lines, name)) {
    if (!name.empty() && name.back() == '\r') name.pop_back();
    if (!plainName(name)) continue;
    to.push_back(directoryOf(marker) / name);
    from.push_back(newName(to.back(), to.size() - 1));
  }
  if (to.empty()) return status::corrupt(marker, "die Namen der zu ersetzenden Dateien fehlen");
  if (Status s = renameAll(from, to); !s) return s;
  if (Status s = ops.remove(marker); !s) return s;
  return true;
}

}  // namespace zrv
