#include "store/xbase/memo_file.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "store/xbase/xbase_layout.h"

namespace zrv {
namespace {

using namespace xbase;

std::uint64_t blocksFor(std::uint64_t bytes) {
  return (bytes + dbt::kBlockSize - 1) / dbt::kBlockSize;
}

}  // namespace

std::optional<std::uint32_t> parseMemoBlock(std::string_view s) {
  std::uint64_t v = 0;
  bool digits = false;
  bool ended = false;  // blanks after the digits: only padding may follow
  for (char c : s) {
    if (c == ' ' || c == '\0') {
      ended = digits;
      continue;
    }
    if (c < '0' || c > '9' || ended) return std::nullopt;
    v = v * 10 + static_cast<std::uint64_t>(c - '0');
    if (v > 0xFFFFFFFFu) return std::nullopt;
    digits = true;
  }
  return static_cast<std::uint32_t>(v);
}

std::string formatMemoBlock(std::uint32_t block) {
  if (block == 0) return std::string(10, ' ');
  char buf[16];
  std::snprintf(buf, sizeof buf, "%10u", block);
  return buf;
}

Result<MemoFile> MemoFile::create(const std::filesystem::path& path) {
  auto f = OsFile::create(path);
  if (!f) return f.status();
  std::string header(dbt::kBlockSize, '\0');
  put32(header.data() + dbt::kOffNextFree, 1);
  header[dbt::kOffVersion] = dbt::kVersion;
  if (Status s = f->writeAt(0, header.data(), header.size()); !s) return s;
  MemoFile m;
  m.file_ = std::move(*f);
  m.nextFree_ = 1;
  return m;
}

Result<MemoFile> MemoFile::open(const std::filesystem::path& path, OsFile::Access access) {
  auto f = OsFile::open(path, access);
  if (!f) return f.status();
  return attach(std::move(*f));
}

Result<MemoFile> MemoFile::attach(OsFile file) {
  MemoFile m;
  m.file_ = std::move(file);
  if (Status s = m.refresh(); !s) return s;
  return m;
}

Status MemoFile::refresh() {
  char head[4];
  auto got = file_.readAt(dbt::kOffNextFree, head, sizeof head);
  if (!got) return got.status();
  if (*got != sizeof head) return status::corrupt(path(), "der Dateikopf fehlt");
  auto size = file_.size();
  if (!size) return size.status();
  // New memos go after everything the file holds, whatever the header says: a wrong next-free
  // block must never make a new memo overwrite an old one. A next-free block far behind the
  // end of the file is garbage (writers leave at most the last block short) and is not used.
  const std::uint64_t stored = get32(head);
  const std::uint64_t end = blocksFor(*size);
  const std::uint64_t next = std::max<std::uint64_t>({stored <= end + 1 ? stored : end, end, 1});
  if (next > 0xFFFFFFFFu / dbt::kBlockSize) {
    return status::corrupt(path(), "der Zeiger auf den freien Block ist ungültig");
  }
  nextFree_ = static_cast<std::uint32_t>(next);
  return {};
}

Result<std::string> MemoFile::read(std::uint32_t block) const {
  if (block == 0) return std::string();
  auto size = file_.size();
  if (!size) return size.status();
  const std::uint64_t start = std::uint64_t(block) * dbt::kBlockSize;
  if (start >= *size) {
    return status::corrupt(path(), "das Memo in Block " + std::to_string(block) + " fehlt");
  }
  std::string text, buf;
  std::uint64_t pos = start;
  std::size_t step = 1024;  // most memos are short; long ones are read in growing pieces
  while (pos < *size) {
    buf.resize(static_cast<std::size_t>(std::min<std::uint64_t>(step, *size - pos)));
    step = std::min<std::size_t>(step * 2, 256 * 1024);
    auto got = file_.readAt(pos, buf.data(), buf.size());
    if (!got) return got.status();
    if (*got == 0) break;
    const std::string_view chunk(buf.data(), *got);
    const std::size_t end = chunk.find(dbt::kTerminator);
    if (end != std::string_view::npos) {
      text.append(chunk.substr(0, end));
      return text;
    }
    text.append(chunk);
    if (text.size() > dbt::kMaxMemo) {
      return status::corrupt(path(),
                             "das Memo in Block " + std::to_string(block) + " hat kein Ende");
    }
    pos += *got;
  }
  return status::corrupt(path(),
                         "das Memo in Block " + std::to_string(block) + " ist unvollständig");
}

Result<std::uint32_t> MemoFile::append(std::string_view text) {
  if (text.empty()) return std::uint32_t{0};
  std::string bytes(text);
  std::replace(bytes.begin(), bytes.end(), dbt::kTerminator, ' ');
  bytes += dbt::kTerminator;
  bytes += dbt::kTerminator;
  const std::uint64_t blocks = blocksFor(bytes.size());
  if (std::uint64_t(nextFree_) + blocks > 0xFFFFFFFFu / dbt::kBlockSize) {
    return status::io(path(), "geschrieben", EFBIG);
  }
  bytes.resize(blocks * dbt::kBlockSize, '\0');
  const std::uint32_t block = nextFree_;
  if (Status s = file_.writeAt(std::uint64_t(block) * dbt::kBlockSize, bytes.data(), bytes.size());
      !s) {
    return s;
  }
  nextFree_ = static_cast<std::uint32_t>(block + blocks);
  char head[4];
  put32(head, nextFree_);
  if (Status s = file_.writeAt(dbt::kOffNextFree, head, sizeof head); !s) return s;
  return block;
}

Result<std::uint32_t> MemoWriter::append(std::string_view text) {
  if (text.empty()) return std::uint32_t{0};
  const std::size_t before = buffer_.size();
  buffer_.append(text);
  std::replace(buffer_.begin() + static_cast<long>(before), buffer_.end(), dbt::kTerminator, ' ');
  buffer_ += dbt::kTerminator;
  buffer_ += dbt::kTerminator;
  const std::uint64_t blocks = blocksFor(buffer_.size() - before);
  buffer_.resize(before + blocks * dbt::kBlockSize, '\0');
  if (std::uint64_t(nextFree_) + blocks > 0xFFFFFFFFu / dbt::kBlockSize) {
    return status::io(file_.path(), "geschrieben", EFBIG);
  }
  const std::uint32_t block = nextFree_;
  nextFree_ = static_cast<std::uint32_t>(nextFree_ + blocks);
  if (buffer_.size() >= (1u << 20)) {
    if (Status s = drain(); !s) return s;
  }
  return block;
}

Status MemoWriter::drain() {
  if (Status s = file_.writeAt(bufferStart_, buffer_.data(), buffer_.size()); !s) return s;
  bufferStart_ += buffer_.size();
  buffer_.clear();
  return {};
}

Status MemoWriter::finish() {
  if (Status s = drain(); !s) return s;
  std::string header(dbt::kBlockSize, '\0');
  put32(header.data() + dbt::kOffNextFree, nextFree_);
  header[dbt::kOffVersion] = dbt::kVersion;
  return file_.writeAt(0, header.data(), header.size());
}

}  // namespace zrv
