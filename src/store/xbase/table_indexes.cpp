// Index orders of a table: building index files, opening existing ones (and rebuilding those
// that are damaged or foreign), replacing files only once the new one is complete.
#include <system_error>

#include "store/base/codepage.h"
#include "store/base/file_replacement.h"
#include "store/xbase/table_impl.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {
constexpr const char* kNewIndex = ".~nx";
}  // namespace

fs::path withSuffix(const fs::path& file, const char* suffix) {
  fs::path p = file;
  p += suffix;
  return p;
}

Result<OsFile> createReplacement(const fs::path& temp, OpenMode mode) {
  std::error_code ec;
  fs::remove(temp, ec);
  auto f = OsFile::create(temp);
  if (!f) return f.status();
  if (Status s = f->shareLock(mode == OpenMode::kExclusive); !s) return s;
  return f;
}

fs::path indexMarker(const fs::path& table) {
  return withSuffix(table, ".~ix");
}

Status recoverIndexes(const fs::path& table, OpenMode mode) {
  // Every index file is either the old or the new one, both made from the same records; in
  // shared use others may have them open, so only an exclusive open completes the swap.
  if (mode != OpenMode::kExclusive) return {};
  return FileReplacement::finish(indexMarker(table), withSuffixName(kNewIndex)).status();
}

void TableImpl::note(const std::string& text) const {
  if (options_.onNote) options_.onNote(text);
}

namespace {

// Builds new index files for `plans` beside `targets` and moves them into place; the trees
// then belong to the targets' names.
Result<std::vector<NtxTree>> buildAndReplace(TableImpl& t,
                                             const std::vector<const IndexPlan*>& plans,
                                             const std::vector<fs::path>& targets,
                                             bool durable = true) {
  if (targets.empty()) return std::vector<NtxTree>{};
  FileReplacement replacement(indexMarker(t.dbf_.path()), withSuffixName(kNewIndex));
  std::vector<OsFile> files;
  for (const fs::path& target : targets) {
    auto f = createReplacement(replacement.add(target), t.options_.mode);
    if (!f) return f.status();
    files.push_back(std::move(*f));
  }
  auto trees = buildIndexes(t.dbf_, plans, std::move(files), t.today(), t.shared());
  if (!trees) return trees.status();
  std::vector<OsFile*> sync;
  for (NtxTree& tree : *trees)
    sync.push_back(&tree.file());
  if (durable) {
    if (Status s = syncFiles(sync); !s) return s;
  }
  const auto how =
      durable ? FileReplacement::Durability::kDurable : FileReplacement::Durability::kQuick;
  if (Status s = replacement.commit(how); !s) return s;
  for (std::size_t i = 0; i < targets.size(); ++i)
    (*trees)[i].file().setPath(targets[i]);
  return trees;
}

IndexDef defFromHeader(const NtxHeader& h, const IndexDef* fallback) {
  IndexDef def;
  def.key = cp1252ToUtf8(h.keyExpr);
  def.forCondition = cp1252ToUtf8(h.forExpr);
  def.unique = h.unique;
  if (fallback) def.variables = fallback->variables;
  return def;
}

}  // namespace

Status TableImpl::createIndexes(const std::vector<std::pair<fs::path, IndexDef>>& files,
                                bool durable) {
  if (files.empty()) return {};
  if (Status s = flush(); !s) return s;
  std::vector<IndexPlan> plans;
  std::vector<fs::path> targets;
  for (const auto& [file, def] : files) {
    auto plan = planIndex(def, dbf_.header().fields, options_.alias);
    if (!plan) return plan.status();
    plans.push_back(std::move(*plan));
    targets.push_back(file);
  }
  std::vector<const IndexPlan*> refs;
  for (const IndexPlan& p : plans)
    refs.push_back(&p);
  if (Status s = checkpoint(); !s) return s;
  auto trees = buildAndReplace(*this, refs, targets, durable);
  if (!trees) return trees.status();
  int firstOrder = 0;
  for (std::size_t i = 0; i < plans.size(); ++i) {
    auto ix = std::unique_ptr<OpenIndex>(
        new OpenIndex{targets[i], std::move(plans[i]), std::move((*trees)[i]), {}, false, false});
    // A file that is already one of the orders keeps its order number.
    std::size_t at = indexes_.size();
    for (std::size_t k = 0; k < indexes_.size(); ++k) {
      if (indexes_[k]->file.lexically_normal() == targets[i].lexically_normal()) at = k;
    }
    if (at == indexes_.size()) {
      indexes_.push_back(std::move(ix));
    } else {
      indexes_[at] = std::move(ix);
    }
    if (firstOrder == 0) firstOrder = static_cast<int>(at) + 1;
  }
  order_ = firstOrder;
  attachJournal();
  return goTop();
}

namespace {

// Opens an index file and checks it (completely, or without `checkPages` only its header);
// the error says why it cannot be used.
Result<std::unique_ptr<OpenIndex>> openChecked(TableImpl& t, const fs::path& file,
                                               const IndexDef* fallback, bool checkPages) {
  auto f = OsFile::open(file, OsFile::Access::kReadWrite);
  if (!f) return f.status();
  if (Status s = f->shareLock(!t.shared()); !s) return s;
  auto tree = NtxTree::open(std::move(*f), t.shared());
  if (!tree) return tree.status();
  const IndexDef def = defFromHeader(tree->header(), fallback);
  auto plan = planIndex(def, t.dbf_.header().fields, t.options_.alias);
  if (!plan) return plan.status();
  if (plan->keySize != tree->header().keySize) {
    return status::corrupt(file, "die Schlüssellänge passt nicht zum Schlüsselausdruck");
  }
  if (!checkPages) {
    return std::unique_ptr<OpenIndex>(
        new OpenIndex{file, std::move(*plan), std::move(*tree), {}, false, false});
  }
  // Under the read lock no other program is between appending a record and indexing it, so
  // the record count read now covers every key.
  if (Status s = tree->beginRead(); !s) return s;
  Status checked = t.refreshShared();
  if (checked) checked = tree->check(t.dbf_.recordCount());
  tree->end();
  if (!checked) return checked;
  return std::unique_ptr<OpenIndex>(
      new OpenIndex{file, std::move(*plan), std::move(*tree), {}, false, false});
}

bool rebuildable(const Status& s) {
  return s.code() == StatusCode::kCorrupt || s.code() == StatusCode::kUnsupported ||
         s.code() == StatusCode::kBadExpression;
}

}  // namespace

Status TableImpl::openIndex(const fs::path& file, const IndexDef* fallback, bool checkPages) {
  std::error_code ec;
  if (!fs::exists(file, ec)) return status::missing(file);
  if (Status s = flush(); !s) return s;
  if (Status s = refreshShared(); !s) return s;  // keys may name records appended elsewhere
  auto opened = openChecked(*this, file, fallback, checkPages);
  std::unique_ptr<OpenIndex> ix;
  if (opened) {
    ix = std::move(*opened);
  } else {
    // A damaged or foreign file is built anew from the table; other failures are reported.
    const Status problem = opened.status();
    if (!rebuildable(problem) || !fallback) return problem;
    if (Status s = rebuildInPlace(file, *fallback, ix); !s) return s;
    note("Der Index " + file.filename().string() + " wurde neu aufgebaut: " + problem.message());
  }
  indexes_.push_back(std::move(ix));
  if (order_ == 0 && indexes_.size() == 1) order_ = 1;
  attachJournal();
  return {};
}

Status TableImpl::rebuildInPlace(const fs::path& file, const IndexDef& def,
                                 std::unique_ptr<OpenIndex>& out) {
  auto plan = planIndex(def, dbf_.header().fields, options_.alias);
  if (!plan) return plan.status();
  // Nobody else may still be using the old file: it is replaced under their feet otherwise.
  std::optional<OsFile> old;
  std::error_code ec;
  if (fs::exists(file, ec)) {
    auto f = OsFile::open(file, OsFile::Access::kReadWrite);
    if (!f) return f.status();
    if (Status s = f->shareLock(true); !s) return s;
    old.emplace(std::move(*f));
  }
  if (Status s = checkpoint(); !s) return s;
  auto trees = buildAndReplace(*this, {&*plan}, {file}, true);
  if (!trees) return trees.status();
  out.reset(new OpenIndex{file, std::move(*plan), std::move(trees->front()), {}, false, false});
  return {};
}

Status TableImpl::repair(OpenIndex& ix, const Status& cause) {
  std::unique_ptr<OpenIndex> fresh;
  const IndexDef def = ix.plan.def;
  const fs::path file = ix.file;
  // The damaged tree's descriptor is closed first so that the share lock can be taken anew.
  ix.tree.file().close();
  if (Status s = rebuildInPlace(file, def, fresh); !s) return s;
  ix.plan = std::move(fresh->plan);
  ix.tree = std::move(fresh->tree);
  ix.cursor = {};
  ix.damaged = false;
  attachJournal();
  note("Der Index " + file.filename().string() + " wurde neu aufgebaut: " + cause.message());
  return {};
}

Status TableImpl::reindex() {
  if (indexes_.empty()) return {};
  std::vector<int> all;
  for (std::size_t i = 0; i < indexes_.size(); ++i)
    all.push_back(static_cast<int>(i) + 1);
  if (Status s = reindexOrders(all, true); !s) return s;
  return goTop();
}

Status TableImpl::reindexOrders(const std::vector<int>& orders, bool durable) {
  if (orders.empty()) return {};
  if (Status s = flush(); !s) return s;
  std::vector<const IndexPlan*> plans;
  std::vector<fs::path> targets;
  std::vector<OpenIndex*> rebuilt;
  for (int order : orders) {
    if (order < 1 || static_cast<std::size_t>(order) > indexes_.size()) {
      return status::invalid("Indexnummer " + std::to_string(order));
    }
    OpenIndex& ix = *indexes_[static_cast<std::size_t>(order) - 1];
    plans.push_back(&ix.plan);
    targets.push_back(ix.file);
    rebuilt.push_back(&ix);
  }
  if (Status s = checkpoint(); !s) return s;
  auto trees = buildAndReplace(*this, plans, targets, durable);
  if (!trees) return trees.status();
  for (std::size_t i = 0; i < rebuilt.size(); ++i) {
    rebuilt[i]->tree = std::move((*trees)[i]);
    rebuilt[i]->cursor = {};
    rebuilt[i]->damaged = false;
    rebuilt[i]->changed = false;
  }
  attachJournal();
  return {};
}

Status TableImpl::closeIndexes() {
  Status s = flush();
  if (s) s = checkpoint();  // a closed index file may be deleted or replaced next
  indexes_.clear();
  order_ = 0;
  return s;
}

Status TableImpl::closeIndex(int order) {
  if (order < 1 || order > static_cast<int>(indexes_.size())) {
    return status::invalid("Die Sortierung " + std::to_string(order) + " gibt es nicht.");
  }
  Status s = flush();
  if (s) s = checkpoint();  // the closed file may be deleted or replaced next
  indexes_.erase(indexes_.begin() + (order - 1));
  if (order_ == order) {
    order_ = 0;
  } else if (order_ > order) {
    --order_;
  }
  return s;
}

}  // namespace zrv
