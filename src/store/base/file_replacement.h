// Replacing a set of files at once: every new file is written beside its target; once all are
// complete and on disk a marker lists the targets, the new files are renamed over them and the
// marker goes. A replacement the marker shows unfinished (a crash, a failed rename) is completed
// by finish() at the next open, so the files are either all old or all new.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "store/base/status.h"

namespace zrv {

// Where the new file of `target`, the `position`-th target (from 0), is written.
using NewFileName =
    std::function<std::filesystem::path(const std::filesystem::path& target, std::size_t position)>;

// The target's name with `suffix` appended ("ZORVANE.TER" -> "ZORVANE.TER.~pk").
NewFileName withSuffixName(std::string suffix);

class FileReplacement {
 public:
  // `marker` is written beside the targets; its lines are the targets' names.
  FileReplacement(std::filesystem::path marker, NewFileName newName);
  // Not committed: the new files are removed and the targets stay as they were. Once the
  // marker is written the new files stay, for finish() to complete the replacement.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Adds a target and returns the name of its new file, from which a leftover of an earlier
  // attempt has been removed. The marker lists the targets in the order added; they are
  // renamed in the opposite order, so the first one (the table) is replaced last.
  std::filesystem::path add(const std::filesystem::path& target);
  const std::vector<std::filesystem::path>& targets() const { return targets_; }

  // How a commit reaches the disk. kQuick renames only, without marker and directory sync:
  // for files that can be rebuilt at any time (an index), when speed counts more.
  enum class Durability { kDurable, kQuick };

  // The caller has written (and for kDurable synced) every new file. Writes the marker,
  // renames, syncs the directory and removes the marker. On failure the Status names the file
  // and the cause; when the marker was written the replacement is completed by the next
  // finish().
  Status commit(Durability durability = Durability::kDurable);

  // Whether a replacement behind `marker` waits to be completed.
  static bool pending(const std::filesystem::path& marker);
  // Completes the replacement behind `marker`: every listed target whose new file is still
  // there gets it, then the marker goes. True when there was one to complete.
  static Result<bool> finish(const std::filesystem::path& marker, const NewFileName& newName);

 private:
  std::filesystem::path marker_;
  NewFileName newName_;
  std::vector<std::filesystem::path> targets_;
  std::vector<std::filesystem::path> newFiles_;
  bool markerWritten_ = false;
  bool done_ = false;
};

}  // namespace zrv
