#include "store/xbase/index_build.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "store/xbase/field_codec.h"
#include "store/xbase/xbase_layout.h"

namespace zrv {
namespace {

constexpr std::size_t kChunkBytes = 1u << 20;

struct SortItem {
  std::uint64_t prefix;
  std::uint32_t index;  // record number - 1
};

// One key expression shared by several plans: the keys of all records, sorted once.
struct KeyGroup {
  const IndexPlan* keyPlan = nullptr;
  std::vector<std::size_t> members;  // positions in the plan list
  std::string keys;                  // record count * key size
  std::vector<SortItem> order;       // the records that get a key, sorted once all are in
};

// Whether any index of the group takes record `index` (0-based): only those get a key and a
// place in the sort, so a selective condition makes the build cheap.
bool anyWants(const KeyGroup& g, const std::vector<std::vector<char>>& wanted,
              std::uint32_t index) {
  for (std::size_t member : g.members) {
    if (wanted[member][index]) return true;
  }
  return false;
}

}  // namespace

Result<IndexPlan> planIndex(const IndexDef& def, const Structure& fields, std::string_view alias) {
  // The header holds each text in 256 bytes with a closing NUL.
  if (def.key.size() > 255) return status::badExpression(def.key, "der Text ist zu lang");
  if (def.forCondition.size() > 255) {
    return status::badExpression(def.forCondition, "der Text ist zu lang");
  }
  auto key = Expression::compile(def.key, fields, alias, def.variables);
  if (!key) return key.status();
  IndexPlan plan{def, *key, std::nullopt, 0, 0};
  if (!def.forCondition.empty()) {
    auto cond = Expression::compile(def.forCondition, fields, alias, def.variables);
    if (!cond) return cond.status();
    if (cond->type() != ValueType::kLogical) {
      return status::badExpression(def.forCondition, "die Bedingung ist kein logischer Wert");
    }
    plan.condition = *cond;
  }
  std::size_t length = 1;
  for (const FieldDef& f : fields)
    length += static_cast<std::size_t>(f.width);
  const std::string blank(length, ' ');
  switch (key->type()) {
    case ValueType::kChar: {
      std::string text;
      key->evaluateText(blank, Date(), text);
      plan.keySize = static_cast<int>(text.size());
      break;
    }
    case ValueType::kNumber:
      plan.keySize = key->numericWidth();
      plan.keyDecimals = key->numericDecimals();
      break;
    case ValueType::kDate:
      plan.keySize = 8;
      break;
    case ValueType::kLogical:
      plan.keySize = 1;
      break;
  }
  if (plan.keySize < 1 || plan.keySize > 250) {
    return status::badExpression(def.key, "der Schlüssel ist " + std::to_string(plan.keySize) +
                                              " Zeichen lang (erlaubt 1 bis 250)");
  }
  return plan;
}

void makeKey(const IndexPlan& plan, std::string_view record, const ExprToday& today,
             std::string& out) {
  const auto size = static_cast<std::size_t>(plan.keySize);
  switch (plan.key.type()) {
    case ValueType::kChar:
      plan.key.evaluateText(record, today, out);
      out.resize(size, ' ');
      return;
    case ValueType::kDate:
      out = std::get<Date>(plan.key.evaluate(record, today)).dtos();
      return;
    case ValueType::kLogical:
      out = std::get<bool>(plan.key.evaluate(record, today)) ? "T" : "F";
      return;
    case ValueType::kNumber: {
      const double v = std::get<double>(plan.key.evaluate(record, today));
      if (!field::formatNumber(v, plan.keySize, plan.keyDecimals, out)) {
        out.assign(size, v < 0 ? '0' : '9');
        return;
      }
      const bool negative = out.find('-') != std::string::npos;
      for (char& c : out) {
        if (c == ' ' || c == '-') {
          c = '0';
        } else if (negative && c >= '0' && c <= '9') {
          c = static_cast<char>('0' - (c - '0') - 4);
        }
      }
      return;
    }
  }
}

bool wantsKey(const IndexPlan& plan, std::string_view record, const ExprToday& today) {
  return !plan.condition || plan.condition->isTrue(record, today);
}

std::string seekKey(const IndexPlan& plan, std::string_view text) {
  return std::string(text.substr(0, static_cast<std::size_t>(plan.keySize)));
}

Result<std::vector<NtxTree>> buildIndexes(const DbfFile& dbf,
                                          const std::vector<const IndexPlan*>& plans,
                                          std::vector<OsFile> files, const Date& date,
                                          bool shared) {
  const ExprToday today(date);  // once for the whole pass
  // Plans with equal key expressions share keys and sort.
  std::vector<KeyGroup> groups;
  std::map<std::string, std::size_t> byKey;
  for (std::size_t i = 0; i < plans.size(); ++i) {
    auto [it, added] = byKey.emplace(plans[i]->def.key, groups.size());
    if (added) groups.push_back(KeyGroup{plans[i], {}, {}, {}});
    groups[it->second].members.push_back(i);
  }
  const std::uint32_t count = dbf.recordCount();
  const std::uint32_t length = dbf.header().recordLength;
  std::vector<std::vector<char>> wanted(plans.size(), std::vector<char>(count, 0));
  for (KeyGroup& g : groups) {
    g.keys.resize(std::size_t(count) * g.keyPlan->keySize);
    g.order.reserve(count);
  }

  const std::uint32_t perChunk = std::max<std::uint32_t>(1, kChunkBytes / length);
  std::string chunk, key;
  for (std::uint32_t first = 1; first <= count; first += perChunk) {
    const std::uint32_t n = std::min(perChunk, count - first + 1);
    if (Status s = dbf.readRecords(first, n, chunk); !s) return s;
    for (std::uint32_t k = 0; k < n; ++k) {
      const std::string_view rec(chunk.data() + std::size_t(k) * length, length);
      const std::uint32_t index = first - 1 + k;
      for (std::size_t i = 0; i < plans.size(); ++i)
        wanted[i][index] = wantsKey(*plans[i], rec, today);
      for (KeyGroup& g : groups) {
        if (!anyWants(g, wanted, index)) continue;
        const int ks = g.keyPlan->keySize;
        makeKey(*g.keyPlan, rec, today, key);
        std::memcpy(g.keys.data() + std::size_t(index) * ks, key.data(), std::size_t(ks));
        g.order.push_back(SortItem{xbase::orderedPrefix8(key.data(), std::size_t(ks)), index});
      }
    }
  }

  std::vector<NtxTree> trees;
  std::vector<std::optional<NtxTree>> built(plans.size());
  for (KeyGroup& g : groups) {
    const int ks = g.keyPlan->keySize;
    const char* keys = g.keys.data();
    std::sort(g.order.begin(), g.order.end(), [&](const SortItem& a, const SortItem& b) {
      if (a.prefix != b.prefix) return a.prefix < b.prefix;
      if (ks > 8) {
        const int r =
            std::memcmp(keys + std::size_t(a.index) * ks + 8, keys + std::size_t(b.index) * ks + 8,
                        static_cast<std::size_t>(ks - 8));
        if (r != 0) return r < 0;
      }
      return a.index < b.index;
    });
    for (std::size_t member : g.members) {
      const IndexPlan& plan = *plans[member];
      std::vector<NtxTree::KeyRef> refs;
      refs.reserve(count);
      for (const SortItem& item : g.order) {
        if (!wanted[member][item.index]) continue;
        const char* k = keys + std::size_t(item.index) * ks;
        if (plan.def.unique && !refs.empty() && std::memcmp(refs.back().key, k, ks) == 0) continue;
        refs.push_back(NtxTree::KeyRef{k, item.index + 1});
      }
      NtxHeader header = makeNtxHeader(plan.keySize, plan.keyDecimals, plan.def.key,
                                       plan.def.forCondition, plan.def.unique);
      auto tree = NtxTree::build(std::move(files[member]), std::move(header), refs, shared);
      if (!tree) return tree.status();
      built[member].emplace(std::move(*tree));
    }
  }
  for (auto& t : built)
    trees.push_back(std::move(*t));
  return trees;
}

}  // namespace zrv
