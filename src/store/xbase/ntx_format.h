// Encoder and validating decoder of the NTX header page and tree pages. Internal to the engine.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/base/status.h"

namespace zrv {

struct NtxHeader {
  std::uint16_t signature = 0;
  std::uint16_t version = 0;   // update counter
  std::uint32_t root = 0;      // offset of the root page
  std::uint32_t freePage = 0;  // first page of the free chain, 0 = none
  int keySize = 0;
  int keyDecimals = 0;
  int maxItems = 0;
  int halfPage = 0;
  bool unique = false;
  std::string keyExpr;
  std::string forExpr;
};

struct NtxItem {
  std::uint32_t child = 0;  // page with the keys below this one; 0 in leaves
  std::uint32_t recno = 0;
  std::string key;  // exactly keySize bytes
};

struct NtxPage {
  std::uint32_t offset = 0;
  std::vector<NtxItem> items;    // the page's keys in order
  std::uint32_t rightChild = 0;  // child of slot n: the keys above the last item; 0 in leaves
  bool isLeaf() const { return rightChild == 0; }
  std::uint32_t child(std::size_t i) const {
    return i < items.size() ? items[i].child : rightChild;
  }
  void setChild(std::size_t i, std::uint32_t c) {
    if (i < items.size()) {
      items[i].child = c;
    } else {
      rightChild = c;
    }
  }
};

// A header for a new index; max items and half page follow from the key size.
NtxHeader makeNtxHeader(int keySize, int keyDecimals, std::string keyExpr, std::string forExpr,
                        bool unique);
// The 1024 bytes of page 0.
std::string encodeNtxHeader(const NtxHeader& h);
// Errors: kCorrupt for bytes that are no valid header, kUnsupported for a valid header of a
// kind this engine does not maintain (descending, Harbour extensions).
Result<NtxHeader> decodeNtxHeader(std::string_view page, std::uint64_t fileSize,
                                  const std::filesystem::path& file);
// Bytes 0..11 after a change: signature, version, root and free page.
void encodeNtxHeaderStart(const NtxHeader& h, char* out12);

// Writes the page into 1024 bytes (items in slot order, offset table a permutation).
void encodeNtxPage(const NtxPage& p, const NtxHeader& h, char* out);
// A free page: no keys, the next free page in the child pointer of slot 0.
void encodeNtxFreePage(std::uint32_t next, const NtxHeader& h, char* out);
// Reads one page. Every count, slot offset and child pointer is checked: kCorrupt names the
// problem. Leaves have only zero children, branches only non-zero ones.
Result<NtxPage> decodeNtxPage(std::string_view bytes, std::uint32_t offset, const NtxHeader& h,
                              const std::filesystem::path& file);

// One page read in place, with the checks of decodeNtxPage and nothing copied: for walks over
// every page of a file. Valid as long as the bytes it was read from.
class NtxPageView {
 public:
  // kCorrupt as decodeNtxPage.
  static Result<NtxPageView> read(std::string_view bytes, std::uint32_t offset, const NtxHeader& h,
                                  const std::filesystem::path& file);
  int count() const { return count_; }
  bool isLeaf() const { return leaf_; }
  // Slot 0..count(): the page below the slot's key (slot count(): above the last key).
  std::uint32_t child(int slot) const;
  // Slot 0..count()-1.
  std::uint32_t recno(int slot) const;
  std::string_view key(int slot) const;

 private:
  NtxPageView(const char* page, int count, int keySize)
      : p_(page), count_(count), keySize_(keySize) {}
  std::size_t item(int slot) const;
  const char* p_;
  int count_;
  int keySize_;
  bool leaf_ = true;
};

// The next link of a free page as written by encodeNtxFreePage, 0xFFFFFFFF when unreadable.
std::uint32_t decodeNtxFreeLink(std::string_view bytes, const NtxHeader& h);

}  // namespace zrv
