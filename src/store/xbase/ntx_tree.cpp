#include "store/xbase/ntx_tree.h"

#include <algorithm>
#include <cstring>

#include "store/xbase/xbase_layout.h"

namespace zrv {
namespace {

using namespace xbase;

constexpr std::size_t kCachePages = 4096;

int compareKeys(std::string_view a, std::string_view b) {
  const int r = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int compareEntry(const NtxItem& it, std::string_view key, std::uint32_t recno) {
  const int r = compareKeys(it.key, key);
  if (r != 0) return r;
  return it.recno < recno ? -1 : (it.recno > recno ? 1 : 0);
}

}  // namespace

Result<NtxTree> NtxTree::open(OsFile file, bool shared) {
  auto size = file.size();
  if (!size) return size.status();
  std::string head(ntx::kPageSize, '\0');
  auto got = file.readAt(0, head.data(), head.size());
  if (!got) return got.status();
  head.resize(*got);
  auto h = decodeNtxHeader(head, *size, file.path());
  if (!h) return h.status();
  NtxTree tree(std::move(file), std::move(*h), shared);
  if (Status s = tree.fileEnd(); !s) return s;
  return tree;
}

Status NtxTree::fileEnd() {
  auto size = file_.size();
  if (!size) return size.status();
  end_ = (*size + ntx::kPageSize - 1) / ntx::kPageSize * ntx::kPageSize;
  if (end_ < ntx::kPageSize) end_ = ntx::kPageSize;
  return {};
}

// ---- pages --------------------------------------------------------------------------------

Result<NtxTree::PagePtr> NtxTree::page(std::uint32_t offset) {
  if (auto it = cache_.find(offset); it != cache_.end()) return it->second;
  if (offset == 0 || offset % ntx::kPageSize != 0 || offset >= end_) {
    return status::corrupt(path(), "ein Verweis zeigt auf keine Seite");
  }
  char buf[ntx::kPageSize];
  auto got = file_.readAt(offset, buf, sizeof buf);
  if (!got) return got.status();
  auto decoded = decodeNtxPage(std::string_view(buf, *got), offset, header_, path());
  if (!decoded) return decoded.status();
  auto ptr = std::make_shared<const NtxPage>(std::move(*decoded));
  if (cache_.size() >= kCachePages) cache_.clear();
  cache_[offset] = ptr;
  return ptr;
}

Status NtxTree::store(const NtxPage& p) {
  char buf[ntx::kPageSize];
  encodeNtxPage(p, header_, buf);
  if (Status s = file_.writeAt(p.offset, buf, sizeof buf); !s) {
    cache_.erase(p.offset);
    return s;
  }
  if (cache_.size() >= kCachePages) cache_.clear();
  cache_[p.offset] = std::make_shared<const NtxPage>(p);
  return {};
}

Result<std::uint32_t> NtxTree::allocate() {
  if (header_.freePage != 0) {
    const std::uint32_t offset = header_.freePage;
    char buf[ntx::kPageSize];
    auto got = file_.readAt(offset, buf, sizeof buf);
    if (!got) return got.status();
    const std::uint32_t next = decodeNtxFreeLink(std::string_view(buf, *got), header_);
    const bool usable = next == 0 || (next % ntx::kPageSize == 0 && next < end_ && next != offset);
    header_.freePage = usable ? next : 0;
    cache_.erase(offset);
    return offset;
  }
  if (end_ + ntx::kPageSize > 0xFFFFFFFFu) return status::io(path(), "erweitert", EFBIG);
  const auto offset = static_cast<std::uint32_t>(end_);
  end_ += ntx::kPageSize;
  return offset;
}

Status NtxTree::release(std::uint32_t offset) {
  char buf[ntx::kPageSize];
  encodeNtxFreePage(header_.freePage, header_, buf);
  cache_.erase(offset);
  if (Status s = file_.writeAt(offset, buf, sizeof buf); !s) return s;
  header_.freePage = offset;
  return {};
}

Status NtxTree::writeHeaderStart() {
  header_.version = static_cast<std::uint16_t>(header_.version + 1);
  char buf[12];
  encodeNtxHeaderStart(header_, buf);
  ++generation_;
  return file_.writeAt(0, buf, sizeof buf);
}

// ---- shared use ---------------------------------------------------------------------------

Status NtxTree::refreshHeader() {
  char buf[12];
  auto got = file_.readAt(0, buf, sizeof buf);
  if (!got) return got.status();
  if (*got != sizeof buf) return status::corrupt(path(), "der Indexkopf fehlt");
  const std::uint16_t version = get16(buf + ntx::kOffVersion);
  if (version != header_.version) {
    header_.version = version;
    header_.root = get32(buf + ntx::kOffRoot);
    header_.freePage = get32(buf + ntx::kOffFreePage);
    cache_.clear();
    ++generation_;
  }
  return fileEnd();
}

Status NtxTree::beginRead() {
  if (!shared_) return {};
  if (Status s = file_.rangeLock(lock::kIndex, 1, false, lock::kPatienceMs); !s) return s;
  return refreshHeader();
}

Status NtxTree::beginWrite() {
  if (!shared_) return {};
  if (Status s = file_.rangeLock(lock::kIndex, 1, true, lock::kPatienceMs); !s) return s;
  return refreshHeader();
}

void NtxTree::end() {
  if (shared_) file_.rangeUnlock(lock::kIndex, 1);
}

// ---- navigation ---------------------------------------------------------------------------

Result<bool> NtxTree::fill(Cursor& c) {
  c.generation = generation_;
  if (c.path.empty()) return false;
  auto p = page(c.path.back().first);
  if (!p) return p.status();
  const NtxItem& it = (*p)->items[c.path.back().second];
  c.entry.key = it.key;
  c.entry.recno = it.recno;
  return true;
}

// From a position past a page's last item, climbs to the ancestor item that follows.
Result<bool> NtxTree::settle(Cursor& c) {
  while (!c.path.empty()) {
    auto p = page(c.path.back().first);
    if (!p) return p.status();
    if (c.path.back().second < static_cast<int>((*p)->items.size())) return fill(c);
    c.path.pop_back();
  }
  return fill(c);
}

Result<bool> NtxTree::descendLeftmost(Cursor& c, std::uint32_t offset) {
  for (;;) {
    if (c.path.size() > kMaxDepth) return status::corrupt(path(), "der Baum ist zu tief");
    auto p = page(offset);
    if (!p) return p.status();
    c.path.emplace_back(offset, 0);
    if ((*p)->isLeaf()) return settle(c);
    offset = (*p)->child(0);
  }
}

Result<bool> NtxTree::descendRightmost(Cursor& c, std::uint32_t offset) {
  for (;;) {
    if (c.path.size() > kMaxDepth) return status::corrupt(path(), "der Baum ist zu tief");
    auto p = page(offset);
    if (!p) return p.status();
    const int n = static_cast<int>((*p)->items.size());
    if ((*p)->isLeaf()) {
      if (n == 0) {
        if (!c.path.empty()) return status::corrupt(path(), "eine Seite ist leer");
        return fill(c);
      }
      c.path.emplace_back(offset, n - 1);
      return fill(c);
    }
    c.path.emplace_back(offset, n);
    offset = (*p)->rightChild;
  }
}

Result<bool> NtxTree::first(Cursor& c) {
  c.path.clear();
  return descendLeftmost(c, header_.root);
}

Result<bool> NtxTree::last(Cursor& c) {
  c.path.clear();
  return descendRightmost(c, header_.root);
}

Result<bool> NtxTree::next(Cursor& c) {
  if (c.path.empty()) return false;
  auto p = page(c.path.back().first);
  if (!p) return p.status();
  const int i = ++c.path.back().second;
  if (!(*p)->isLeaf()) return descendLeftmost(c, (*p)->child(static_cast<std::size_t>(i)));
  return settle(c);
}

Result<bool> NtxTree::prev(Cursor& c) {
  if (c.path.empty()) return false;
  auto p = page(c.path.back().first);
  if (!p) return p.status();
  const int i = c.path.back().second;
  if (!(*p)->isLeaf()) return descendRightmost(c, (*p)->child(static_cast<std::size_t>(i)));
  if (i > 0) {
    --c.path.back().second;
    return fill(c);
  }
  for (;;) {
    c.path.pop_back();
    if (c.path.empty()) return fill(c);
    if (c.path.back().second > 0) {
      --c.path.back().second;
      return fill(c);
    }
  }
}

template <class Below>
Result<bool> NtxTree::lowerBound(Cursor& c, Below below) {
  c.path.clear();
  std::uint32_t offset = header_.root;
  for (;;) {
    if (c.path.size() > kMaxDepth) return status::corrupt(path(), "der Baum ist zu tief");
    auto p = page(offset);
    if (!p) return p.status();
    const auto& items = (*p)->items;
    const auto it = std::partition_point(items.begin(), items.end(), below);
    const int slot = static_cast<int>(it - items.begin());
    c.path.emplace_back(offset, slot);
    if ((*p)->isLeaf()) return settle(c);
    offset = (*p)->child(static_cast<std::size_t>(slot));
  }
}

Result<bool> NtxTree::seekPrefix(Cursor& c, std::string_view prefix) {
  const std::size_t n = std::min<std::size_t>(prefix.size(), header_.keySize);
  const std::string_view pre = prefix.substr(0, n);
  return lowerBound(c, [&](const NtxItem& it) {
    return compareKeys(std::string_view(it.key).substr(0, n), pre) < 0;
  });
}

Result<bool> NtxTree::seekEntry(Cursor& c, std::string_view key, std::uint32_t recno) {
  return lowerBound(c, [&](const NtxItem& it) { return compareEntry(it, key, recno) < 0; });
}

// Finds the entry (key, recno). Equal keys are in record order in trees this engine wrote;
// other writers may order them differently, so the run of equal keys is searched when the
// direct descent misses.
Result<bool> NtxTree::find(Cursor& c, std::string_view key, std::uint32_t recno) {
  auto r = seekEntry(c, key, recno);
  if (!r) return r;
  if (*r && c.entry.recno == recno && compareKeys(c.entry.key, key) == 0) return true;
  r = seekEntry(c, key, 0);
  while (r && *r && compareKeys(c.entry.key, key) == 0) {
    if (c.entry.recno == recno) return true;
    r = next(c);
  }
  if (!r) return r;
  return false;
}

Result<bool> NtxTree::containsKey(std::string_view key) {
  Cursor c;
  auto r = seekEntry(c, key, 0);
  if (!r) return r;
  return *r && compareKeys(c.entry.key, key) == 0;
}

// ---- changes ------------------------------------------------------------------------------

Status NtxTree::insert(std::string_view key, std::uint32_t recno) {
  std::vector<std::pair<PagePtr, int>> trail;
  std::uint32_t offset = header_.root;
  for (;;) {
    if (trail.size() > kMaxDepth) return status::corrupt(path(), "der Baum ist zu tief");
    auto p = page(offset);
    if (!p) return p.status();
    const auto& items = (*p)->items;
    const auto it = std::partition_point(items.begin(), items.end(), [&](const NtxItem& x) {
      return compareEntry(x, key, recno) <= 0;
    });
    const int slot = static_cast<int>(it - items.begin());
    trail.emplace_back(*p, slot);
    if ((*p)->isLeaf()) break;
    offset = (*p)->child(static_cast<std::size_t>(slot));
  }
  NtxItem item{0, recno, std::string(key)};
  for (std::size_t level = trail.size(); level-- > 0;) {
    NtxPage p = *trail[level].first;
    p.items.insert(p.items.begin() + trail[level].second, std::move(item));
    if (static_cast<int>(p.items.size()) <= header_.maxItems) {
      if (Status s = store(p); !s) return s;
      break;
    }
    // Split: the lower half moves to a new page, the middle item goes up to the parent.
    const std::size_t mid = p.items.size() / 2;
    auto leftOffset = allocate();
    if (!leftOffset) return leftOffset.status();
    NtxPage left;
    left.offset = *leftOffset;
    left.items.assign(std::make_move_iterator(p.items.begin()),
                      std::make_move_iterator(p.items.begin() + static_cast<long>(mid)));
    left.rightChild = p.items[mid].child;
    item = std::move(p.items[mid]);
    item.child = left.offset;
    p.items.erase(p.items.begin(), p.items.begin() + static_cast<long>(mid) + 1);
    if (Status s = store(left); !s) return s;
    if (Status s = store(p); !s) return s;
    if (level == 0) {
      auto rootOffset = allocate();
      if (!rootOffset) return rootOffset.status();
      NtxPage root;
      root.offset = *rootOffset;
      root.items.push_back(std::move(item));
      root.rightChild = p.offset;
      if (Status s = store(root); !s) return s;
      header_.root = root.offset;
    }
  }
  return writeHeaderStart();
}

Result<bool> NtxTree::remove(std::string_view key, std::uint32_t recno) {
  Cursor c;
  auto found = find(c, key, recno);
  if (!found || !*found) return found;
  if (Status s = eraseAt(c); !s) return s;
  return true;
}

Status NtxTree::eraseAt(const Cursor& c) {
  std::vector<NtxPage> pages;
  std::vector<int> slots;
  for (const auto& [offset, slot] : c.path) {
    auto p = page(offset);
    if (!p) return p.status();
    pages.push_back(**p);
    slots.push_back(slot);
  }
  const std::size_t top = pages.size() - 1;
  const int i = slots[top];
  if (pages[top].isLeaf()) {
    pages[top].items.erase(pages[top].items.begin() + i);
  } else {
    // A branch entry is replaced by its in-order predecessor, the last entry of a leaf.
    std::uint32_t offset = pages[top].child(static_cast<std::size_t>(i));
    for (;;) {
      if (pages.size() > kMaxDepth) return status::corrupt(path(), "der Baum ist zu tief");
      auto p = page(offset);
      if (!p) return p.status();
      pages.push_back(**p);
      slots.push_back(static_cast<int>((*p)->items.size()));
      if ((*p)->isLeaf()) break;
      offset = (*p)->rightChild;
    }
    NtxPage& leaf = pages.back();
    if (leaf.items.empty()) return status::corrupt(path(), "eine Seite ist leer");
    pages[top].items[i].key = leaf.items.back().key;
    pages[top].items[i].recno = leaf.items.back().recno;
    leaf.items.pop_back();
  }
  std::vector<bool> dirty(pages.size(), false), freed(pages.size(), false);
  dirty[top] = true;
  dirty.back() = true;
  for (std::size_t k = pages.size() - 1; k > 0; --k) {
    if (static_cast<int>(pages[k].items.size()) >= header_.halfPage) break;
    bool childFreed = false;
    if (Status s = rebalance(pages[k - 1], slots[k - 1], pages[k], childFreed); !s) return s;
    freed[k] = childFreed;
    dirty[k - 1] = true;
  }
  for (std::size_t k = 0; k < pages.size(); ++k) {
    if (freed[k] || !dirty[k]) continue;
    if (k == 0 && pages[0].items.empty() && !pages[0].isLeaf()) {
      header_.root = pages[0].rightChild;  // the root lost its last key: its child is the root
      if (Status s = release(pages[0].offset); !s) return s;
      continue;
    }
    if (Status s = store(pages[k]); !s) return s;
  }
  return writeHeaderStart();
}

// `child` (at `slot` of `parent`) holds fewer than half the keys: borrow one from a sibling
// through the parent's separator, or merge with a sibling.
Status NtxTree::rebalance(NtxPage& parent, int slot, NtxPage& child, bool& childFreed) {
  const auto n = static_cast<int>(parent.items.size());
  NtxPage left, right;
  if (slot > 0) {
    auto p = page(parent.child(static_cast<std::size_t>(slot - 1)));
    if (!p) return p.status();
    left = **p;
    if (static_cast<int>(left.items.size()) > header_.halfPage) {
      NtxItem& sep = parent.items[slot - 1];
      child.items.insert(child.items.begin(), NtxItem{left.rightChild, sep.recno, sep.key});
      sep.key = left.items.back().key;
      sep.recno = left.items.back().recno;
      left.rightChild = left.items.back().child;
      left.items.pop_back();
      return store(left);
    }
  }
  if (slot < n) {
    auto p = page(parent.child(static_cast<std::size_t>(slot + 1)));
    if (!p) return p.status();
    right = **p;
    if (static_cast<int>(right.items.size()) > header_.halfPage) {
      NtxItem& sep = parent.items[slot];
      child.items.push_back(NtxItem{child.rightChild, sep.recno, sep.key});
      child.rightChild = right.items.front().child;
      sep.key = right.items.front().key;
      sep.recno = right.items.front().recno;
      right.items.erase(right.items.begin());
      return store(right);
    }
  }
  if (slot > 0) {  // merge child into its left sibling
    const NtxItem& sep = parent.items[slot - 1];
    left.items.push_back(NtxItem{left.rightChild, sep.recno, sep.key});
    left.items.insert(left.items.end(), child.items.begin(), child.items.end());
    left.rightChild = child.rightChild;
    parent.items.erase(parent.items.begin() + slot - 1);
    parent.setChild(static_cast<std::size_t>(slot - 1), left.offset);
    childFreed = true;
    if (Status s = store(left); !s) return s;
    return release(child.offset);
  }
  if (slot < n) {  // merge the right sibling into child
    const NtxItem& sep = parent.items[slot];
    child.items.push_back(NtxItem{child.rightChild, sep.recno, sep.key});
    child.items.insert(child.items.end(), right.items.begin(), right.items.end());
    child.rightChild = right.rightChild;
    parent.items.erase(parent.items.begin() + slot);
    parent.setChild(static_cast<std::size_t>(slot), child.offset);
    return release(right.offset);
  }
  return {};  // a parent without keys: nothing to borrow from (only a degenerate root)
}

}  // namespace zrv
