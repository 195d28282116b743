// Writing a whole NTX file at once from sorted entries: pages are filled bottom-up (each full
// page's next entry goes one level up as a separator), the pages along the right edge are
// then evened out with their left siblings, and the file is written in one go.
#include <algorithm>
#include <cstring>

#include "store/xbase/ntx_tree.h"
#include "store/xbase/xbase_layout.h"

namespace zrv {
namespace {

using xbase::ntx::kPageSize;

class Builder {
 public:
  explicit Builder(const NtxHeader& h) : h_(h) {}

  void add(NtxItem item) {
    for (std::size_t level = 0;; ++level) {
      if (open_.size() <= level) open_.emplace_back();
      NtxPage& pg = open_[level];
      if (static_cast<int>(pg.items.size()) < h_.maxItems) {
        pg.items.push_back(std::move(item));
        return;
      }
      pg.rightChild = item.child;
      pg.offset = nextOffset();
      closed_.push_back(std::move(pg));
      open_[level] = NtxPage{};
      item.child = closed_.back().offset;
    }
  }

  // Closes the open pages; returns the root offset.
  std::uint32_t finish() {
    if (open_.empty()) open_.emplace_back();
    for (std::size_t level = 0; level < open_.size(); ++level) {
      open_[level].offset = nextOffset();
      if (level > 0) open_[level].rightChild = open_[level - 1].offset;
    }
    for (std::size_t level = open_.size() - 1; level > 0; --level) {
      NtxPage& parent = open_[level];
      NtxPage& child = open_[level - 1];
      if (static_cast<int>(child.items.size()) >= h_.halfPage || parent.items.empty()) continue;
      NtxPage& left = closedAt(parent.items.back().child);
      evenOut(left, parent.items.back(), child);
    }
    return open_.back().offset;
  }

  std::string image(const NtxHeader& header) const {
    std::string bytes((1 + closed_.size() + open_.size()) * kPageSize, '\0');
    const std::string head = encodeNtxHeader(header);
    std::memcpy(bytes.data(), head.data(), kPageSize);
    for (const NtxPage& p : closed_)
      encodeNtxPage(p, header, bytes.data() + p.offset);
    for (const NtxPage& p : open_)
      encodeNtxPage(p, header, bytes.data() + p.offset);
    return bytes;
  }

 private:
  std::uint32_t nextOffset() { return static_cast<std::uint32_t>(++pages_ * kPageSize); }
  NtxPage& closedAt(std::uint32_t offset) { return closed_[offset / kPageSize - 1]; }

  // Shares the keys of `left`, the separator and `right` so that both pages hold at least half.
  static void evenOut(NtxPage& left, NtxItem& sep, NtxPage& right) {
    std::vector<NtxItem> all = std::move(left.items);
    all.push_back(NtxItem{left.rightChild, sep.recno, sep.key});
    std::move(right.items.begin(), right.items.end(), std::back_inserter(all));
    const std::size_t k = all.size() / 2;
    left.items.assign(std::make_move_iterator(all.begin()),
                      std::make_move_iterator(all.begin() + static_cast<long>(k)));
    left.rightChild = all[k].child;
    sep.key = all[k].key;
    sep.recno = all[k].recno;
    right.items.assign(std::make_move_iterator(all.begin() + static_cast<long>(k) + 1),
                       std::make_move_iterator(all.end()));
  }

  const NtxHeader& h_;
  std::vector<NtxPage> closed_;  // full pages, at offsets 1024, 2048, ... in closing order
  std::vector<NtxPage> open_;    // one per level, the top one is the root
  std::size_t pages_ = 0;
};

}  // namespace

Result<NtxTree> NtxTree::build(OsFile file, NtxHeader header, const std::vector<KeyRef>& entries,
                               bool shared) {
  Builder b(header);
  for (const KeyRef& e : entries) {
    b.add(NtxItem{0, e.recno, std::string(e.key, static_cast<std::size_t>(header.keySize))});
  }
  header.root = b.finish();
  header.freePage = 0;
  header.version = 1;
  const std::string bytes = b.image(header);
  if (Status s = file.writeAt(0, bytes.data(), bytes.size()); !s) return s;
  NtxTree tree(std::move(file), std::move(header), shared);
  tree.end_ = bytes.size();
  return tree;
}

}  // namespace zrv
