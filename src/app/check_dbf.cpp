#include "app/check_dbf.h"

#include <string>
#include <system_error>

#include "app/busy_cursor.h"
#include "app/context.h"
#include "app/settings_file.h"
#include "app/structure_upgrade.h"
#include "app/table_names.h"
#include "app/table_problems.h"
#include "app/views.h"
#include "ports/user_interface.h"
#include "store/appointments/appointment_record.h"
#include "store/appointments/appointment_table.h"
#include "store/base/file_names.h"
#include "store/base/file_ops.h"
#include "store/base/logbook.h"
#include "store/xbase/table.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

constexpr const char* kPlace = "CheckDBF";

// The file pane shows the name part of CN_FILE, at most 8 characters.
std::string filePaneText(const std::string& name) {
  return tableNameOf(name, 8);
}

bool markerExists(const Context& ctx) {
  return fileExists(ctx.CRUNIN, kUpgradeMarker);
}

void removeMarker(const Context& ctx) {
  std::error_code ec;
  fs::remove(findFile(ctx.CRUNIN, kUpgradeMarker), ec);
}

void removeIndexFiles(const fs::path& base) {
  std::error_code ec;
  for (int i = 1; i <= 4; ++i)
    fs::remove(appointmentIndexFile(base, i), ec);
}

void structureAdjusted(Context& ctx) {
  ctx.ui.message("Achtung",
                 "Die Struktur der Datei " + ctx.settings.CN_FILE + " wurde angepasst !");
  removeMarker(ctx);
}

void upgradeFailed(Context& ctx, const Status& s) {
  ctx.log.log(kPlace, s.message());
  ctx.ui.message(kProblemTitle, "Die Struktur der Datei " + ctx.settings.CN_FILE +
                                    " konnte nicht angepasst werden.\n" + s.message() +
                                    "\nEs sind keine Termine verloren gegangen.");
}

// What an open says of the table in the logbook: a journal replayed or set aside, records taken
// in from behind the header's count, indexes built anew.
std::function<void(const std::string&)> logNotes(Context& ctx) {
  return [&ctx](const std::string& note) { ctx.log.log(kPlace, note); };
}

// What the user is told of what an open found: a journal set aside, records taken in from
// behind the header's count.
void reportFindings(Context& ctx, const Table& table) {
  if (!table.journalSetAside().empty()) ctx.ui.message(kProblemTitle, table.journalSetAside());
  if (const std::uint32_t adopted = table.adoptedRecords(); adopted > 0) {
    ctx.ui.message("Zorvane", "In der Termindatei standen " + std::to_string(adopted) +
                                  " Termine hinter dem Ende, das ihr Dateikopf angab. Sie wurden "
                                  "übernommen; die alte Datei ist als Sicherung (.BAK) erhalten.");
  }
}

Result<std::unique_ptr<Table>> openExclusive(Context& ctx, const fs::path& file) {
  Table::Options options;
  options.mode = OpenMode::kExclusive;
  options.alias = "DTER";
  options.onNote = logNotes(ctx);
  return Table::open(file, ctx.clock, options);
}

// The structure check of an existing table: first completes the replacement of an upgrade that
// was interrupted, then upgrades the table when its field count differs or the marker asks for
// it. False when the table cannot be opened or must not be read yet (reported). `rebuilt` tells
// that the table was replaced, `unclean` that its open found the last session cut short (its
// indexes are then checked when the table is opened for the run).
bool checkStructure(Context& ctx, const fs::path& base, bool& rebuilt, bool& unclean) {
  ctx.ui.statusText("Die Datenbanken werden aktualisiert, bitte warten ...");
  const fs::path file = appointmentTableFile(base);
  auto table = openExclusive(ctx, file);
  if (!table) {
    reportOpenProblem(ctx, kPlace, file, table.status());
    return false;
  }
  reportFindings(ctx, **table);
  unclean = (*table)->uncleanEnd();
  // Only while the table is held: another program might be upgrading it.
  const auto finished = finishUpgrade(base);
  if (!finished) {
    upgradeFailed(ctx, finished.status());
    return false;
  }
  if (*finished) {
    rebuilt = true;
    table->reset();
    table = openExclusive(ctx, file);
    if (!table) {
      reportOpenProblem(ctx, kPlace, file, table.status());
      return false;
    }
  }
  const bool current = (*table)->fieldCount() == static_cast<int>(terStruct().size());
  if (current && !markerExists(ctx)) return true;
  ctx.log.log(kPlace, "Datenbank-Struktur korrigieren: " + ctx.settings.CN_FILE);
  const auto count = upgradeStructure(base, **table, ctx.clock, ctx.log);
  (void)(*table)->close();
  if (!count) {
    upgradeFailed(ctx, count.status());
    return !replacementPending(base);  // a half-replaced table is not opened
  }
  ctx.log.log(kPlace, std::to_string(*count) + " Termine in die neue Struktur übernommen");
  rebuilt = true;
  structureAdjusted(ctx);
  return true;
}

// A missing table is created; the records of an upgrade copy left behind are taken into it.
void createTable(Context& ctx, const fs::path& base) {
  const fs::path file = appointmentTableFile(base);
  if (Status s = Table::create(file, terStruct(), ctx.clock); !s) {
    ctx.log.log(kPlace, s.message());
    ctx.ui.message(kProblemTitle, "Die Termindatei " + file.filename().string() +
                                      " kann nicht angelegt werden.\n" + s.message());
    return;
  }
  auto table = openExclusive(ctx, file);
  // Only an upgrade that was asked for and never finished leaves a copy worth taking.
  if (table && markerExists(ctx)) {
    const auto taken = takeUpgradeCopy(base.parent_path(), **table, ctx.clock, ctx.log);
    (void)(*table)->close();
    if (!taken) {
      upgradeFailed(ctx, taken.status());  // the copy stays for the next try
      return;
    }
  }
  structureAdjusted(ctx);
}

// Makes the view NS_TODAY control DTER; the table stands on its first record. A view the
// settings file names wrongly becomes view 1.
void selectView(Context& ctx) {
  int& view = ctx.settings.NS_TODAY;
  if (!isView(view)) {
    ctx.log.log(kPlace, "Die Ansicht " + std::to_string(view) +
                            " gibt es nicht; die aktuellen Termine werden gezeigt.");
    view = 1;
  }
  if (Status s = applyView(ctx, *ctx.DTER, view); !s) ctx.log.log(kPlace, s.message());
}

// Opens the table with its four indexes as DTER, building them anew when asked to or when
// .NT1 is missing (damaged ones are rebuilt as well), and checking them after an unclean end.
bool openDter(Context& ctx, const fs::path& base, bool rebuildIndexes, bool unclean,
              const CheckDbfOptions& how) {
  AppointmentTable::Options options;
  options.dayIndexes = how.dayIndexes;
  options.checkIndexPages = how.checkIndexPages;
  options.mode = OpenMode::kExclusive;
  options.rebuildIndexes = rebuildIndexes;
  options.verify = unclean || ctx.run.uncleanEnd;
  options.onNote = logNotes(ctx);
  auto table = AppointmentTable::open(base, ctx.clock, options);
  if (!table) {
    reportOpenProblem(ctx, kPlace, appointmentTableFile(base), table.status());
    return false;
  }
  reportFindings(ctx, (*table)->table());
  ctx.DTER = std::move(*table);
  return true;
}

void closeDter(Context& ctx) {
  if (!ctx.DTER) return;
  if (Status s = ctx.DTER->close(); !s) ctx.log.log(kPlace, s.message());
  ctx.DTER.reset();
}

// The copy of an upgrade that ended (or was killed after its new table was in place) must not
// bring old records into a table created later: without the marker of an unfinished upgrade
// and without a new table waiting to be put in place, it goes. The half-written files of a copy
// that was being made go in any case.
void removeUpgradeLeftovers(Context& ctx, const fs::path& base) {
  for (const std::string& name : removeUnfinishedCopies(ctx.CRUNIN)) {
    ctx.log.log(kPlace, "Die unvollständige Kopie " + name +
                            " einer abgebrochenen Strukturanpassung wurde gelöscht.");
  }
  if (markerExists(ctx) || replacementPending(base)) return;
  for (const char* ext : {".TER", ".DBT"}) {
    const fs::path copy = findFile(ctx.CRUNIN, std::string(kUpgradeCopy) + ext);
    if (!fileOps().exists(copy)) continue;
    if (fileOps().remove(copy)) {
      ctx.log.log(kPlace, "Die Kopie " + copy.filename().string() +
                              " einer beendeten Strukturanpassung wurde gelöscht.");
    }
  }
}

// A table name from the settings becomes a plain name, as one chosen in the file dialog; a
// name with a folder in it would put the table's files (and its indexes, journal and pack
// files) outside the program directory, so it gives way to ZORVANE.
std::string plainTableName(Context& ctx, const std::string& stored) {
  const std::string name = tableNameOf(stored);
  if (stored.find_first_of("/\\") == std::string::npos && name != "." && name != "..") {
    return name;
  }
  ctx.log.log(kPlace, "Der Dateiname \"" + stored +
                          "\" aus den Einstellungen ist kein einfacher Tabellenname; die Tabelle "
                          "ZORVANE wird verwendet.");
  return "ZORVANE";
}

}  // namespace

bool checkDbf(Context& ctx, const CheckDbfOptions& how) {
  std::string& name = ctx.settings.CN_FILE;
  ctx.log.log(kPlace, "Datenbank-Struktur prüfen: " + name);
  BusyCursor busy(ctx.ui);
  closeDter(ctx);
  ctx.ui.statusText("Datenbank reorganisieren");
  ctx.ui.statusPane(StatusPane::File, filePaneText(name));
  name = plainTableName(ctx, name);
  if (!tableExists(ctx.CRUNIN, name)) name = "ZORVANE";
  const fs::path base = tableBase(ctx.CRUNIN, name);

  removeUpgradeLeftovers(ctx, base);
  bool ok = true;
  bool rebuilt = false, unclean = false;
  if (tableExists(ctx.CRUNIN, name)) ok = checkStructure(ctx, base, rebuilt, unclean);
  if (ok && !tableExists(ctx.CRUNIN, name)) {
    createTable(ctx, base);
    rebuilt = true;
  }
  if (ok && rebuilt) removeIndexFiles(base);
  if (ok) ok = openDter(ctx, base, rebuilt || markerExists(ctx), unclean, how);
  if (ok) {
    selectView(ctx);
    settingsFile(ctx).setText(keys::FILENAME, name);
  }
  ctx.ui.statusText("");
  return ok;
}

bool openTableAtStart(Context& ctx, const std::function<bool(Context&)>& setUpUser,
                      const CheckDbfOptions& how) {
  if (ctx.settings.LS_LAN) {
    const std::string own = tableNameOf(ctx.settings.CS_USERFILE);
    if (own.empty()) return setUpUser ? setUpUser(ctx) : true;
    // Another user's table, where the last run may have ended, stays his.
    ctx.settings.CN_FILE = own;
  }
  checkDbf(ctx, how);
  return true;
}

}  // namespace zrv
