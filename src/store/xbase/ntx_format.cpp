#include "store/xbase/ntx_format.h"

#include <algorithm>
#include <cstring>

#include "store/xbase/xbase_layout.h"

namespace zrv {
namespace {

using namespace xbase;

std::size_t itemSize(const NtxHeader& h) {
  return static_cast<std::size_t>(h.keySize) + 8;
}
std::size_t itemBase(const NtxHeader& h) {
  return ntx::kOffSlots + 2 * (h.maxItems + 1);
}

std::string readText(std::string_view page, std::size_t off, bool& terminated) {
  const std::string_view area = page.substr(off, ntx::kExprSize);
  const std::size_t end = area.find('\0');
  terminated = end != std::string_view::npos;
  return std::string(area.substr(0, terminated ? end : area.size()));
}

bool printable(const std::string& s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x20 && c != 0x7F; });
}

std::string pageName(std::uint32_t offset) {
  return "Seite " + std::to_string(offset / 1024);
}

}  // namespace

NtxHeader makeNtxHeader(int keySize, int keyDecimals, std::string keyExpr, std::string forExpr,
                        bool unique) {
  NtxHeader h;
  h.signature =
      static_cast<std::uint16_t>(ntx::kSignature | (forExpr.empty() ? 0 : ntx::kSignatureFor));
  h.version = 1;
  h.keySize = keySize;
  h.keyDecimals = keyDecimals;
  h.maxItems = ntx::maxItems(keySize);
  h.halfPage = h.maxItems / 2;
  h.unique = unique;
  h.keyExpr = std::move(keyExpr);
  h.forExpr = std::move(forExpr);
  return h;
}

void encodeNtxHeaderStart(const NtxHeader& h, char* out) {
  put16(out + ntx::kOffSignature, h.signature);
  put16(out + ntx::kOffVersion, h.version);
  put32(out + ntx::kOffRoot, h.root);
  put32(out + ntx::kOffFreePage, h.freePage);
}

std::string encodeNtxHeader(const NtxHeader& h) {
  std::string page(ntx::kPageSize, '\0');
  char* p = page.data();
  encodeNtxHeaderStart(h, p);
  put16(p + ntx::kOffItemSize, static_cast<std::uint32_t>(h.keySize + 8));
  put16(p + ntx::kOffKeySize, static_cast<std::uint32_t>(h.keySize));
  put16(p + ntx::kOffKeyDecimals, static_cast<std::uint32_t>(h.keyDecimals));
  put16(p + ntx::kOffMaxItems, static_cast<std::uint32_t>(h.maxItems));
  put16(p + ntx::kOffHalfPage, static_cast<std::uint32_t>(h.halfPage));
  std::memcpy(p + ntx::kOffKeyExpr, h.keyExpr.data(),
              std::min(h.keyExpr.size(), ntx::kExprSize - 1));
  p[ntx::kOffUnique] = h.unique ? 1 : 0;
  std::memcpy(p + ntx::kOffForExpr, h.forExpr.data(),
              std::min(h.forExpr.size(), ntx::kExprSize - 1));
  return page;
}

Result<NtxHeader> decodeNtxHeader(std::string_view page, std::uint64_t fileSize,
                                  const std::filesystem::path& file) {
  if (page.size() < ntx::kPageSize) return status::corrupt(file, "der Indexkopf fehlt");
  const char* p = page.data();
  NtxHeader h;
  h.signature = get16(p + ntx::kOffSignature);
  h.version = get16(p + ntx::kOffVersion);
  h.root = get32(p + ntx::kOffRoot);
  h.freePage = get32(p + ntx::kOffFreePage);
  const int storedItemSize = get16(p + ntx::kOffItemSize);
  h.keySize = get16(p + ntx::kOffKeySize);
  h.keyDecimals = get16(p + ntx::kOffKeyDecimals);
  h.maxItems = get16(p + ntx::kOffMaxItems);
  h.halfPage = get16(p + ntx::kOffHalfPage);
  h.unique = p[ntx::kOffUnique] != 0;
  const std::uint16_t base = h.signature & ~ntx::kSignatureFor;
  if (base != ntx::kSignature && h.signature != ntx::kSignatureOld) {
    if ((h.signature & 0xFF00) == 0 && (h.signature & ntx::kSignature) == ntx::kSignature) {
      return status::unsupported(
          file, "Index mit Erweiterungen (Kennung " + std::to_string(h.signature) + ")");
    }
    return status::corrupt(file, "keine NTX-Kennung");
  }
  if (p[ntx::kOffDescend] != 0) return status::unsupported(file, "absteigender Index");
  if (h.keySize < 1 || h.keySize > static_cast<int>(ntx::kMaxKeySize) ||
      storedItemSize != h.keySize + 8 || h.keyDecimals > h.keySize) {
    return status::corrupt(file, "die Schlüssellänge ist ungültig");
  }
  if (h.maxItems < 2 || itemBase(h) + std::size_t(h.maxItems + 1) * itemSize(h) > ntx::kPageSize) {
    return status::corrupt(file, "die Zahl der Schlüssel je Seite ist ungültig");
  }
  h.halfPage = std::max(1, h.maxItems / 2);
  if (h.root == 0 || h.root % ntx::kPageSize != 0 || h.root + ntx::kPageSize > fileSize) {
    return status::corrupt(file, "der Verweis auf die Wurzelseite ist ungültig");
  }
  bool terminated = false;
  h.keyExpr = readText(page, ntx::kOffKeyExpr, terminated);
  if (!terminated || h.keyExpr.empty() || !printable(h.keyExpr)) {
    return status::corrupt(file, "der Schlüsselausdruck ist unlesbar");
  }
  if (h.signature & ntx::kSignatureFor && h.signature != ntx::kSignatureOld) {
    h.forExpr = readText(page, ntx::kOffForExpr, terminated);
    if (!terminated || !printable(h.forExpr)) {
      return status::corrupt(file, "die FOR-Bedingung ist unlesbar");
    }
  }
  return h;
}

void encodeNtxPage(const NtxPage& pg, const NtxHeader& h, char* out) {
  std::memset(out, 0, ntx::kPageSize);
  put16(out + ntx::kOffCount, static_cast<std::uint32_t>(pg.items.size()));
  const std::size_t base = itemBase(h), size = itemSize(h);
  for (int slot = 0; slot <= h.maxItems; ++slot) {
    const std::size_t at = base + slot * size;
    put16(out + ntx::kOffSlots + 2 * slot, static_cast<std::uint32_t>(at));
    if (static_cast<std::size_t>(slot) <= pg.items.size()) {
      put32(out + at + ntx::kItemChild, pg.child(slot));
    }
    if (static_cast<std::size_t>(slot) < pg.items.size()) {
      const NtxItem& it = pg.items[slot];
      put32(out + at + ntx::kItemRecno, it.recno);
      std::memcpy(out + at + ntx::kItemKey, it.key.data(),
                  std::min<std::size_t>(it.key.size(), h.keySize));
    }
  }
}

void encodeNtxFreePage(std::uint32_t next, const NtxHeader& h, char* out) {
  NtxPage free;
  free.rightChild = next;  // slot 0 of an empty page
  encodeNtxPage(free, h, out);
}

std::uint32_t decodeNtxFreeLink(std::string_view bytes, const NtxHeader& h) {
  if (bytes.size() < ntx::kPageSize) return 0xFFFFFFFF;
  const std::size_t at = get16(bytes.data() + ntx::kOffSlots);
  if (at + itemSize(h) > ntx::kPageSize) return 0xFFFFFFFF;
  return get32(bytes.data() + at + ntx::kItemChild);
}

Result<NtxPageView> NtxPageView::read(std::string_view bytes, std::uint32_t offset,
                                      const NtxHeader& h, const std::filesystem::path& file) {
  if (bytes.size() < ntx::kPageSize) {
    return status::corrupt(file, pageName(offset) + " fehlt");
  }
  const char* p = bytes.data();
  const int n = get16(p + ntx::kOffCount);
  if (n > h.maxItems) return status::corrupt(file, pageName(offset) + " hat zu viele Schlüssel");
  NtxPageView view(p, n, h.keySize);
  const std::size_t size = itemSize(h);
  const std::size_t minAt = ntx::kOffSlots + 2 * static_cast<std::size_t>(n + 1);
  int branches = 0;
  for (int slot = 0; slot <= n; ++slot) {
    const std::size_t at = view.item(slot);
    if (at < minAt || at + size > ntx::kPageSize) {
      return status::corrupt(file, pageName(offset) + " hat einen ungültigen Eintrag");
    }
    const std::uint32_t child = get32(p + at + ntx::kItemChild);
    if (child % ntx::kPageSize != 0) {
      return status::corrupt(file, pageName(offset) + " zeigt auf keine Seite");
    }
    if (child != 0 && slot < n) ++branches;
  }
  view.leaf_ = view.child(n) == 0;
  if (branches != (view.leaf_ ? 0 : n)) {
    return status::corrupt(file, pageName(offset) + " mischt Blatt- und Zweigeinträge");
  }
  return view;
}

std::size_t NtxPageView::item(int slot) const {
  return get16(p_ + ntx::kOffSlots + 2 * static_cast<std::size_t>(slot));
}

std::uint32_t NtxPageView::child(int slot) const {
  return get32(p_ + item(slot) + ntx::kItemChild);
}

std::uint32_t NtxPageView::recno(int slot) const {
  return get32(p_ + item(slot) + ntx::kItemRecno);
}

std::string_view NtxPageView::key(int slot) const {
  return {p_ + item(slot) + ntx::kItemKey, static_cast<std::size_t>(keySize_)};
}

Result<NtxPage> decodeNtxPage(std::string_view bytes, std::uint32_t offset, const NtxHeader& h,
                              const std::filesystem::path& file) {
  auto view = NtxPageView::read(bytes, offset, h, file);
  if (!view) return view.status();
  NtxPage pg;
  pg.offset = offset;
  pg.items.resize(static_cast<std::size_t>(view->count()));
  for (int slot = 0; slot < view->count(); ++slot) {
    NtxItem& it = pg.items[static_cast<std::size_t>(slot)];
    it.child = view->child(slot);
    it.recno = view->recno(slot);
    it.key.assign(view->key(slot));
  }
  pg.rightChild = view->child(view->count());
  return pg;
}

}  // namespace zrv
