#include "app/structure_upgrade.h"

#include <memory>
#include <string>
#include <system_error>

#include "store/appointments/appointment_record.h"
#include "store/appointments/appointment_table.h"
#include "store/appointments/trigger.h"
#include "store/base/file_names.h"
#include "store/base/file_ops.h"
#include "store/base/file_replacement.h"
#include "store/xbase/os_file.h"
#include "store/xbase/table.h"
#include "store/xbase/table_copy.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

void removeQuietly(const fs::path& p) {
  std::error_code ec;
  if (!fs::is_directory(p, ec)) fs::remove(p, ec);
}

// A table's ".TER" and ".DBT" in `dir`, found without regard to case.
struct TablePair {
  fs::path ter, dbt;
};
TablePair pairIn(const fs::path& dir, const std::string& stem) {
  return {findFile(dir, stem + ".TER"), findFile(dir, stem + ".DBT")};
}
void removePair(const TablePair& p) {
  removeQuietly(p.ter);
  removeQuietly(p.dbt);
}

// The stem of the new table written for `base`, and of its marker.
std::string newStem(const fs::path& base) {
  return "~" + base.filename().string();
}
fs::path replaceMarker(const fs::path& base) {
  return findFile(base.parent_path(), newStem(base) + ".REN");
}

// The new files of the two targets, the table and its memo: "~<base>.TER", "~<base>.DBT".
NewFileName freshNameOf(const fs::path& base) {
  return [base](const fs::path&, std::size_t position) {
    return findFile(base.parent_path(), newStem(base) + (position == 0 ? ".TER" : ".DBT"));
  };
}

// The old indexes point at the old records: they go before the new table comes.
void removeOldIndexes(const fs::path& base) {
  for (int i = 1; i <= 4; ++i)
    (void)fileOps().remove(appointmentIndexFile(base, i));
}

Result<std::unique_ptr<Table>> openExclusive(const fs::path& file, const Clock& clock) {
  Table::Options o;
  o.mode = OpenMode::kExclusive;
  o.alias = "DTER";
  return Table::open(file, clock, o);
}

// Appends the records of `from` to `to` and recomputes every trigger.
Result<long> fill(Table& to, Table& from, Logbook& log) {
  auto count = appendFrom(to, from);
  if (!count) return count.status();
  if (Status s = recomputeTriggers(to, log); !s) return s;
  return *count;
}

// Creates and writes the new table `fresh` from `old`. Returns the number of records.
Result<long> writeNewTable(const TablePair& fresh, Table& old, const Clock& clock, Logbook& log) {
  if (Status s = Table::create(fresh.ter, terStruct(), clock); !s) return s;
  auto table = openExclusive(fresh.ter, clock);
  if (!table) return table.status();
  auto count = fill(**table, old, log);
  if (!count) return count;
  if (Status s = (*table)->close(); !s) return s;
  return count;
}

// Copies the old files to "~AAAAAAA" (replacing an older copy).
Status makeCopy(const fs::path& dir, const fs::path& ter, const fs::path& dbt) {
  removePair(pairIn(dir, kUpgradeCopy));
  const TablePair copy{dir / (std::string(kUpgradeCopy) + ".TER"),
                       dir / (std::string(kUpgradeCopy) + ".DBT")};
  FileOps& ops = fileOps();
  for (const auto& [from, to] : {std::pair{ter, copy.ter}, std::pair{dbt, copy.dbt}}) {
    if (from == dbt && !ops.exists(dbt)) break;
    auto bytes = ops.readFile(from);
    Status s = bytes ? ops.writeFile(to, *bytes) : bytes.status();
    if (!s) {
      removePair(copy);
      return s;
    }
  }
  return {};
}

// "~AAAAAAA.TER.~<digits>-<digits>" or the same with ".DBT", in any case: the name a file
// replacement gives its temporary file beside the copy.
bool isUnfinishedCopy(const std::string& name) {
  std::string lower = name;
  for (char& c : lower)
    c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  std::string_view rest = lower;
  const std::string stem = "~aaaaaaa.";
  if (!rest.starts_with(stem)) return false;
  rest.remove_prefix(stem.size());
  if (!rest.starts_with("ter.~") && !rest.starts_with("dbt.~")) return false;
  rest.remove_prefix(5);
  const std::size_t dash = rest.find('-');
  const auto digits = [](std::string_view d) {
    return !d.empty() && d.find_first_not_of("0123456789") == std::string_view::npos;
  };
  return dash != std::string_view::npos && digits(rest.substr(0, dash)) &&
         digits(rest.substr(dash + 1));
}

}  // namespace

std::vector<std::string> removeUnfinishedCopies(const fs::path& dir) {
  std::vector<std::string> removed;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec)) {
    const std::string name = entry.path().filename().string();
    if (isUnfinishedCopy(name) && fileOps().remove(entry.path())) removed.push_back(name);
  }
  return removed;
}

Status recomputeTriggers(Table& table, Logbook& log) {
  if (Status s = table.setOrder(0); !s) return s;
  for (Status s = table.goTop(); !table.eof(); s = table.skip(1)) {
    if (!s) return s;
    auto a = readAppointment(table);
    if (!a) return a.status();
    applyTriggerRule(*a, log);
    if (Status w = table.setDate("TDATE", a->TDATE); !w) return w;
    if (Status w = table.setString("TTIME", a->TTIME); !w) return w;
  }
  return table.commit();
}

bool replacementPending(const fs::path& base) {
  std::error_code ec;
  return fs::exists(replaceMarker(base), ec);
}

Result<bool> finishUpgrade(const fs::path& base) {
  const fs::path marker = replaceMarker(base);
  if (!FileReplacement::pending(marker)) {
    removePair(pairIn(base.parent_path(), newStem(base)));  // never completed
    return false;
  }
  removeOldIndexes(base);
  auto done = FileReplacement::finish(marker, freshNameOf(base));
  if (!done) return done;
  removePair(pairIn(base.parent_path(), kUpgradeCopy));
  return true;
}

Result<long> upgradeStructure(const fs::path& base, Table& old, const Clock& clock, Logbook& log) {
  const fs::path dir = base.parent_path();
  const fs::path ter = appointmentTableFile(base);
  const fs::path dbt = appointmentMemoFile(base);
  // Files of a new table that was never completed go. A complete one is put in place first by
  // the caller, who then opens the table anew.
  if (auto pending = finishUpgrade(base); !pending || *pending) {
    return pending ? status::invalid("Die Datei " + ter.filename().string() +
                                     " wurde eben ersetzt und muss neu geöffnet werden.")
                   : pending.status();
  }
  if (Status s = makeCopy(dir, ter, dbt); !s) return s;

  Result<long> count = 0L;
  {
    // The table is replaced last; the marker makes the next open finish what a failure here
    // cut short.
    FileReplacement replacement(dir / (newStem(base) + ".REN"), freshNameOf(base));
    const fs::path freshTer = replacement.add(ter);
    const TablePair fresh{freshTer, replacement.add(dbt)};
    count = writeNewTable(fresh, old, clock, log);
    if (!count) {
      removePair(pairIn(dir, kUpgradeCopy));  // the old table is untouched
      return count;
    }
    removeOldIndexes(base);
    if (Status s = replacement.commit(); !s) {
      if (!FileReplacement::pending(replaceMarker(base))) {
        removePair(pairIn(dir, kUpgradeCopy));
        return s;
      }
      return Status(s.code(), s.message() +
                                  " Die neue Datei ist vollständig und wird beim nächsten Öffnen "
                                  "an ihre Stelle gesetzt.");
    }
  }
  removePair(pairIn(dir, kUpgradeCopy));
  return count;
}

Result<long> takeUpgradeCopy(const fs::path& dir, Table& table, const Clock& clock, Logbook& log) {
  const TablePair copy = pairIn(dir, kUpgradeCopy);
  std::error_code ec;
  if (!fs::exists(copy.ter, ec)) return 0L;
  auto from = openExclusive(copy.ter, clock);
  if (!from) return from.status();
  auto count = fill(table, **from, log);
  if (!count) return count;
  if (Status s = (*from)->close(); !s) return s;
  from->reset();
  removePair(copy);
  return count;
}

}  // namespace zrv
