#include "app/structure_upgrade.h"

#include <fstream>
#include <memory>
#include <string>
#include <system_error>

#include "store/appointments/appointment_record.h"
#include "store/appointments/appointment_table.h"
#include "store/appointments/trigger.h"
#include "store/base/file_io.h"
#include "store/base/file_names.h"
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

bool plainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
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
  std::error_code ec;
  if (!copyFileAtomically(ter, copy.ter)) return status::io(copy.ter, "angelegt", errno);
  if (fs::exists(dbt, ec) && !copyFileAtomically(dbt, copy.dbt)) {
    const int e = errno;
    removePair(copy);
    return status::io(copy.dbt, "angelegt", e);
  }
  return {};
}

// Records which files the new table replaces: from here on it is complete.
Status writeReplaceMarker(const fs::path& base, const fs::path& ter, const fs::path& dbt) {
  const fs::path marker = base.parent_path() / (newStem(base) + ".REN");
  const std::string lines = ter.filename().string() + "\n" + dbt.filename().string() + "\n";
  if (!replaceFileAtomically(marker, lines)) return status::io(marker, "geschrieben", errno);
  return {};
}

}  // namespace

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
  const fs::path dir = base.parent_path();
  const TablePair fresh = pairIn(dir, newStem(base));
  const fs::path marker = replaceMarker(base);
  std::error_code ec;
  if (!fs::exists(marker, ec)) {
    removePair(fresh);  // never completed
    return false;
  }
  std::ifstream in(marker);
  std::string terName, dbtName;
  std::getline(in, terName);
  std::getline(in, dbtName);
  in.close();
  for (std::string* name : {&terName, &dbtName}) {
    if (!name->empty() && name->back() == '\r') name->pop_back();
  }
  if (!plainName(terName) || !plainName(dbtName)) {
    return status::corrupt(marker, "die Namen der zu ersetzenden Dateien fehlen");
  }
  // The old indexes point at the old records: they go before the new table comes.
  for (int i = 1; i <= 4; ++i)
    fs::remove(appointmentIndexFile(base, i), ec);
  // The memo first: as long as the table file is the old one the marker stays, and the next
  // call puts the rest in place.
  const std::pair<fs::path, fs::path> moves[] = {{fresh.dbt, dir / dbtName},
                                                 {fresh.ter, dir / terName}};
  for (const auto& [from, to] : moves) {
    if (!fs::exists(from, ec)) continue;
    fs::rename(from, to, ec);
    if (ec) return status::io(to, "ersetzt", ec.value());
  }
  if (Status s = syncDirectory(dir); !s) return s;
  fs::remove(marker, ec);
  removePair(pairIn(dir, kUpgradeCopy));
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

  const TablePair fresh{dir / (newStem(base) + ".TER"), dir / (newStem(base) + ".DBT")};
  auto count = writeNewTable(fresh, old, clock, log);
  Status s = count.status();
  if (s) s = writeReplaceMarker(base, ter, dbt);
  if (!s) {
    removePair(fresh);
    removePair(pairIn(dir, kUpgradeCopy));  // the old table is untouched
    return s;
  }
  if (auto r = finishUpgrade(base); !r) {
    return Status(r.code(), r.message() +
                                " Die neue Datei ist vollständig und wird beim nächsten Öffnen "
                                "an ihre Stelle gesetzt.");
  }
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
