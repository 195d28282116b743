// The structural check of an NTX file, made when an index is opened: every page is read once,
// in large reads, and looked at in place, so that opening the index of a large table costs
// little more than reading its file.
#include <cstring>
#include <vector>

#include "store/xbase/ntx_tree.h"
#include "store/xbase/xbase_layout.h"

namespace zrv {

using xbase::ntx::kPageSize;

namespace {

// Files up to this size are read whole (an index of some 700,000 appointments); larger ones a
// page at a time.
constexpr std::uint64_t kWholeFileLimit = 16u << 20;

}  // namespace

// What the walk carries from page to page.
struct NtxTree::CheckWalk {
  std::uint32_t recordCount = 0;
  bool whole = false;                    // the file is read whole into `file`,
  std::string file;                      //
  std::vector<std::string> pageOfDepth;  // otherwise each level's page into one of these
  std::vector<bool> seen;                // by page number
  // The key visited last, where it lies: its page stays in place until the next key has been
  // compared with it (a level's page is replaced only by the next page of that level).
  std::string_view lastKey;
  bool haveLast = false;
  int leafDepth = -1;
};

Result<std::string_view> NtxTree::checkedPageBytes(CheckWalk& w, std::uint32_t offset, int depth) {
  if (w.whole) {
    // A page cut short by the end of the file is shorter here, as when read alone.
    if (offset >= w.file.size()) return std::string_view();
    return std::string_view(w.file).substr(offset, kPageSize);
  }
  // The parent's bytes must stay where they are while its children are read.
  if (w.pageOfDepth.size() <= static_cast<std::size_t>(depth)) w.pageOfDepth.emplace_back();
  std::string& bytes = w.pageOfDepth[static_cast<std::size_t>(depth)];
  bytes.resize(kPageSize);
  auto got = file_.readAt(offset, bytes.data(), kPageSize);
  if (!got) return got.status();
  bytes.resize(*got);
  return std::string_view(bytes);
}

Status NtxTree::checkPage(CheckWalk& w, std::uint32_t offset, int depth) {
  if (static_cast<std::size_t>(depth) > kMaxDepth) {
    return status::corrupt(path(), "der Baum ist zu tief");
  }
  if (offset == 0 || offset % kPageSize != 0 || offset >= end_) {
    return status::corrupt(path(), "ein Verweis zeigt auf keine Seite");
  }
  if (w.seen[offset / kPageSize]) {
    return status::corrupt(path(), "eine Seite kommt zweimal im Baum vor");
  }
  w.seen[offset / kPageSize] = true;
  auto bytes = checkedPageBytes(w, offset, depth);
  if (!bytes) return bytes.status();
  auto pg = NtxPageView::read(*bytes, offset, header_, path());
  if (!pg) return pg.status();
  if (pg->count() == 0 && depth > 0) return status::corrupt(path(), "eine Seite ist leer");
  for (int i = 0; i <= pg->count(); ++i) {
    if (!pg->isLeaf()) {
      if (Status s = checkPage(w, pg->child(i), depth + 1); !s) return s;
    }
    if (i == pg->count()) break;
    const std::uint32_t recno = pg->recno(i);
    if (recno == 0 || recno > w.recordCount) {
      return status::corrupt(path(),
                             "ein Schlüssel verweist auf Datensatz " + std::to_string(recno));
    }
    const std::string_view key = pg->key(i);
    if (w.haveLast && std::memcmp(w.lastKey.data(), key.data(), key.size()) > 0) {
      return status::corrupt(path(), "die Schlüssel sind nicht sortiert");
    }
    w.lastKey = key;
    w.haveLast = true;
  }
  if (pg->isLeaf()) {
    if (w.leafDepth < 0) w.leafDepth = depth;
    if (w.leafDepth != depth) return status::corrupt(path(), "die Blätter sind ungleich tief");
  }
  return {};
}

Status NtxTree::check(std::uint32_t recordCount) {
  CheckWalk w;
  w.recordCount = recordCount;
  w.seen.assign(end_ / kPageSize, false);
  if (end_ <= kWholeFileLimit) {
    w.whole = true;
    w.file.resize(end_);
    auto got = file_.readAt(0, w.file.data(), w.file.size());
    if (!got) return got.status();
    w.file.resize(*got);
  }
  if (Status s = checkPage(w, header_.root, 0); !s) return s;
  // The free chain must lead through pages outside the tree, each once; otherwise it is
  // forgotten rather than risk handing out a live page.
  std::uint32_t offset = header_.freePage;
  std::vector<bool> chain(w.seen.size(), false);
  while (offset != 0) {
    if (offset % kPageSize != 0 || offset >= end_ || w.seen[offset / kPageSize] ||
        chain[offset / kPageSize]) {
      header_.freePage = 0;
      break;
    }
    chain[offset / kPageSize] = true;
    char buf[kPageSize];
    auto got = file_.readAt(offset, buf, sizeof buf);
    if (!got) return got.status();
    offset = decodeNtxFreeLink(std::string_view(buf, *got), header_);
    if (offset == 0xFFFFFFFF) {
      header_.freePage = 0;
      break;
    }
  }
  return {};
}

}  // namespace zrv
