// Packing: the live records, their memos and every open index are written to new files beside
// the old ones and replace them in one FileReplacement, so a crash or a failed rename leaves
// either the old or (after the next exclusive open) the new set of files.
#include "store/base/file_replacement.h"
#include "store/xbase/table_impl.h"
#include "store/xbase/xbase_layout.h"

namespace zrv {
namespace fs = std::filesystem;

namespace {

constexpr const char* kPacked = ".~pk";
constexpr const char* kMarker = ".~pack";
constexpr std::size_t kChunkBytes = 1u << 20;

}  // namespace

bool pendingPack(const fs::path& table) {
  return FileReplacement::pending(withSuffix(table, kMarker));
}

Status recoverPack(const fs::path& table, OpenMode mode) {
  const fs::path marker = withSuffix(table, kMarker);
  if (!FileReplacement::pending(marker)) return {};
  if (mode != OpenMode::kExclusive) {
    return {StatusCode::kLocked, "Das Packen der Datei " + table.filename().string() +
                                     " wurde unterbrochen; sie muss zuerst exklusiv geöffnet "
                                     "werden."};
  }
  return FileReplacement::finish(marker, withSuffixName(kPacked)).status();
}

Status TableImpl::pack() {
  if (shared()) return status::invalid("Packen geht nur bei exklusiv geöffneter Datei.");
  if (Status s = flush(); !s) return s;
  if (Status s = checkpoint(); !s) return s;  // the files are about to be replaced
  // The new files are a new generation: the next commit starts a new journal.
  if (journal_) {
    if (Status s = journal_->discard(); !s) return s;
  }
  const DbfHeader& h = dbf_.header();
  const fs::path tablePath = dbf_.path();
  FileReplacement replacement(withSuffix(tablePath, kMarker), withSuffixName(kPacked));

  // The table and its memos.
  auto table = createReplacement(replacement.add(tablePath), OpenMode::kExclusive);
  if (!table) return table.status();
  std::optional<MemoWriter> memo;
  if (memo_) {
    auto m = createReplacement(replacement.add(memo_->path()), OpenMode::kExclusive);
    if (!m) return m.status();
    memo.emplace(std::move(*m));
  }
  std::string header = encodeDbfHeader(h.fields, 0, today());
  std::uint64_t at = header.size();
  std::uint32_t kept = 0;
  const std::uint32_t perChunk = std::max<std::uint32_t>(1, kChunkBytes / h.recordLength);
  std::string chunk, out;
  for (std::uint32_t first = 1; first <= dbf_.recordCount(); first += perChunk) {
    const std::uint32_t n = std::min(perChunk, dbf_.recordCount() - first + 1);
    if (Status s = dbf_.readRecords(first, n, chunk); !s) return s;
    out.clear();
    for (std::uint32_t k = 0; k < n; ++k) {
      std::string rec = chunk.substr(std::size_t(k) * h.recordLength, h.recordLength);
      if (rec[0] == xbase::dbf::kDeleted) continue;
      rec[0] = xbase::dbf::kActive;
      for (std::size_t f = 0; f < h.fields.size(); ++f) {
        if (h.fields[f].type != 'M') continue;
        const auto block = parseMemoBlock(std::string_view(rec).substr(h.offsets[f], 10));
        if (!block) {
          return status::corrupt(tablePath, "Datensatz " + std::to_string(first + k) +
                                                " hat einen ungültigen Memoverweis");
        }
        std::uint32_t moved = 0;
        if (*block != 0 && memo_) {
          auto text = memo_->read(*block);
          if (!text) return text.status();
          auto b = memo->append(*text);
          if (!b) return b.status();
          moved = *b;
        }
        rec.replace(h.offsets[f], 10, formatMemoBlock(moved));
      }
      out += rec;
      ++kept;
    }
    if (Status s = table->writeAt(at, out.data(), out.size()); !s) return s;
    at += out.size();
  }
  const char eof = xbase::dbf::kEndOfFile;
  header = encodeDbfHeader(h.fields, kept, today());
  if (Status s = table->writeAt(at, &eof, 1); !s) return s;
  if (Status s = table->writeAt(0, header.data(), header.size()); !s) return s;
  if (memo) {
    if (Status s = memo->finish(); !s) return s;
  }
  auto newDbf = DbfFile::attach(std::move(*table));
  if (!newDbf) return newDbf.status();

  // The indexes of the packed table.
  std::vector<const IndexPlan*> plans;
  std::vector<OsFile> indexFiles;
  for (auto& ix : indexes_) {
    plans.push_back(&ix->plan);
    auto f = createReplacement(replacement.add(ix->file), OpenMode::kExclusive);
    if (!f) return f.status();
    indexFiles.push_back(std::move(*f));
  }
  auto trees = buildIndexes(*newDbf, plans, std::move(indexFiles), today(), false);
  if (!trees) return trees.status();
  std::vector<OsFile*> sync{&newDbf->file()};
  if (memo) sync.push_back(&memo->file());
  for (NtxTree& t : *trees)
    sync.push_back(&t.file());
  if (Status s = syncFiles(sync); !s) return s;

  // Everything is on disk: from here on the pack completes, if need be at the next open.
  if (Status s = replacement.commit(); !s) return s;
  const std::vector<fs::path>& targets = replacement.targets();

  // Work on the new files from now on.
  unlockAll();
  newDbf->file().setPath(tablePath);
  dbf_ = std::move(*newDbf);
  if (memo_) {
    memo->file().setPath(targets[1]);
    auto m = MemoFile::attach(std::move(memo->file()));  // keeps the share lock
    if (!m) return m.status();
    memo_.emplace(std::move(*m));
  }
  for (std::size_t i = 0; i < indexes_.size(); ++i) {
    (*trees)[i].file().setPath(indexes_[i]->file);
    indexes_[i]->tree = std::move((*trees)[i]);
    indexes_[i]->cursor = {};
    indexes_[i]->changed = false;
  }
  dbfChanged_ = memoChanged_ = false;
  attachJournal();
  return goTop();
}

}  // namespace zrv
