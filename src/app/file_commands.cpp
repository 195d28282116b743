#include "app/file_commands.h"

#include <system_error>

#include "app/context.h"
#include "app/first_start.h"
#include "app/table_in_use.h"
#include "app/table_names.h"
#include "app/table_problems.h"
#include "ports/user_interface.h"
#include "store/appointments/appointment_table.h"
#include "store/base/file_names.h"
#include "store/base/logbook.h"
#include "store/xbase/table.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

// Longest name of a new table.
constexpr std::size_t kNewNameLength = 8;

std::string fileName(const std::string& name) {
  return name + ".TER";
}

// False, with a message, when another program holds the table: its files must stay.
bool freeToDelete(Context& ctx, const std::string& name, const char* place) {
  if (ctx.DTER && sameTableName(ctx.DTER->base().filename().string(), name)) {
    (void)closeTableInUse(ctx);
  }
  const fs::path file = appointmentTableFile(tableBase(ctx.CRUNIN, name));
  Table::Options options;
  options.mode = OpenMode::kExclusive;
  auto table = Table::open(file, ctx.clock, options);
  if (table || table.code() != StatusCode::kLocked) return true;
  reportOpenProblem(ctx, place, file, table.status());
  return false;
}

bool deleteFiles(Context& ctx, const std::string& name, const char* place) {
  if (deleteTableFiles(ctx.CRUNIN, name)) return true;
  ctx.log.log(place, "Die Dateien von " + name + " konnten nicht alle gelöscht werden.");
  ctx.ui.message(kProblemTitle, "Die Termindatei " + fileName(name) +
                                    " konnte nicht vollständig gelöscht werden.");
  return false;
}

}  // namespace

void dateiNeu(Context& ctx, std::string_view chosen, const ChkNextFn& chkNext) {
  const std::string name = tableNameOf(chosen, kNewNameLength);
  if (name.empty()) return;
  const std::string previous = ctx.DTER ? ctx.settings.CN_FILE : std::string();
  if (!tableExists(ctx.CRUNIN, name)) {
    buildDbase(ctx, name);
    useTable(ctx, ctx.settings.CN_FILE, previous);
    return;
  }
  if (!ctx.ui.ask("Neue Termindatei",
                  "Die Datei " + fileName(name) + " existiert bereits. Diese Datei überschreiben ?",
                  false)) {
    return;
  }
  if (!freeToDelete(ctx, name, "DateiNeu") || !deleteFiles(ctx, name, "DateiNeu")) {
    if (!ctx.DTER) reopenTable(ctx);  // the table in use was closed for nothing
    return;
  }
  buildDbase(ctx, name);
  useTable(ctx, ctx.settings.CN_FILE, sameTableName(previous, name) ? std::string() : previous);
  if (chkNext) chkNext(ctx, "DateiNeu");
}

bool dbfOpen(Context& ctx, std::string_view chosen) {
  const fs::path path{std::string(chosen)};
  std::error_code ec;
  if (chosen.empty() ||
      !fs::is_regular_file(findFile(path.parent_path(), path.filename().string()), ec)) {
    return true;
  }
  const std::string name = tableNameOf(chosen);
  if (name.empty() || sameTableName(name, ctx.settings.CN_FILE)) return true;
  useTable(ctx, name);
  return true;
}

void dateiDel(Context& ctx, std::string_view chosen) {
  const std::string name = tableNameOf(chosen);
  if (name.empty()) return;
  if (sameTableName(name, ctx.settings.CN_FILE)) {
    ctx.ui.message("Datei löschen", "Sie können keine Datei löschen, die Sie zur Zeit benutzen !");
    return;
  }
  if (!ctx.ui.ask("Datei löschen", "Möchten Sie die Termin-Datei '" + name + "' löschen ?",
                  false)) {
    return;
  }
  if (freeToDelete(ctx, name, "DateiDel")) deleteFiles(ctx, name, "DateiDel");
}

}  // namespace zrv
