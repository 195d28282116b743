// The check after an unclean end: every open index holds exactly the keys of the table's
// records (each record that meets its condition once, under its key), and the memo header's
// next free block lies behind every memo. What does not match is rebuilt or corrected, with a
// note for the logbook.
#include <algorithm>
#include <utility>

#include "store/xbase/table_impl.h"
#include "store/xbase/xbase_layout.h"

namespace zrv {

namespace {

constexpr std::uint32_t kRecordsPerRead = 4096;

}  // namespace

Result<bool> TableImpl::indexMatches(OpenIndex& ix) {
  // The expected entries, in index order.
  std::vector<std::pair<std::string, std::uint32_t>> expected;
  const ExprToday now(today());
  const std::uint32_t count = dbf_.recordCount();
  const std::uint32_t length = dbf_.header().recordLength;
  std::string chunk, key;
  for (std::uint32_t first = 1; first <= count; first += kRecordsPerRead) {
    const std::uint32_t n = std::min(kRecordsPerRead, count - first + 1);
    if (Status s = dbf_.readRecords(first, n, chunk); !s) return s;
    for (std::uint32_t k = 0; k < n; ++k) {
      const std::string_view record =
          std::string_view(chunk).substr(std::size_t(k) * length, length);
      if (!wantsKey(ix.plan, record, now)) continue;
      makeKey(ix.plan, record, now, key);
      expected.emplace_back(key, first + k);
    }
  }
  std::sort(expected.begin(), expected.end());
  if (Status s = ix.tree.check(count); !s) return false;
  if (Status s = ix.tree.beginRead(); !s) return s;
  struct End {
    NtxTree& t;
    ~End() { t.end(); }
  } end{ix.tree};
  NtxTree::Cursor c;
  auto on = ix.tree.first(c);
  std::size_t at = 0;
  while (on && *on) {
    if (at >= expected.size() || c.entry.key != expected[at].first ||
        c.entry.recno != expected[at].second) {
      return false;
    }
    ++at;
    on = ix.tree.next(c);
  }
  if (!on) return false;  // a page that cannot be read
  return at == expected.size();
}

Status TableImpl::verifyMemoHeader() {
  if (!memo_) return {};
  char head[4];
  auto got = memo_->file().readAt(xbase::dbt::kOffNextFree, head, sizeof head);
  if (!got) return got.status();
  if (Status s = memo_->refresh(); !s) return s;
  const std::uint32_t stored = *got == sizeof head ? xbase::get32(head) : 0;
  if (stored == memo_->nextFree()) return {};
  xbase::put32(head, memo_->nextFree());
  if (Status s = memo_->file().writeAt(xbase::dbt::kOffNextFree, head, sizeof head); !s) return s;
  memoChanged_ = true;
  note("Der Zeiger auf den ersten freien Block der Memodatei " + memo_->path().filename().string() +
       " stand auf " + std::to_string(stored) + " und wurde auf " +
       std::to_string(memo_->nextFree()) + " berichtigt.");
  return {};
}

Status TableImpl::verify() {
  if (Status s = flush(); !s) return s;
  const std::uint32_t recno = recno_;
  bool rebuilt = false;
  for (auto& ix : indexes_) {
    auto matches = indexMatches(*ix);
    if (matches && *matches) continue;
    if (!matches && matches.code() != StatusCode::kCorrupt) return matches.status();
    if (Status s = repair(*ix, status::corrupt(ix->file, "die Einträge passten nicht zur Tabelle"));
        !s) {
      return s;
    }
    rebuilt = true;
  }
  if (Status s = verifyMemoHeader(); !s) return s;
  if (Status s = checkpoint(); !s) return s;
  uncleanEnd_ = false;
  if (!rebuilt) return {};
  return recno == 0 || recno > dbf_.recordCount() ? goTop() : goTo(recno);
}

}  // namespace zrv
