#include "app/exit_pack.h"

#include "app/context.h"
#include "app/table_in_use.h"
#include "app/table_names.h"
#include "store/appointments/appointment_table.h"
#include "store/base/file_names.h"
#include "store/base/logbook.h"
#include "store/xbase/table.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

constexpr const char* kPlace = "Pack";

void packAppointments(Context& ctx) {
  // A table deleted during the run (the user uninstalled) has nothing left to pack.
  if (!tableExists(ctx.CRUNIN, ctx.settings.CN_FILE)) return;
  AppointmentTable::Options options;
  options.mode = OpenMode::kExclusive;
  options.onNote = [&ctx](const std::string& note) { ctx.log.log(kPlace, note); };
  auto table =
      AppointmentTable::open(tableBase(ctx.CRUNIN, ctx.settings.CN_FILE), ctx.clock, options);
  Status s = table.status();
  if (s) s = (*table)->pack();
  if (table) {
    if (Status c = (*table)->close(); s) s = c;
  }
  if (!s) ctx.log.log(kPlace, s.message());
}

void packUserRegistry(Context& ctx) {
  if (!fileExists(ctx.CRUNIN, "USERLIST.DBF")) return;
  Table::Options options;
  options.mode = OpenMode::kExclusive;
  options.alias = "DUSR";
  auto table = Table::open(findFile(ctx.CRUNIN, "USERLIST.DBF"), ctx.clock, options);
  IndexDef byName;
  byName.key = "USERNAME";
  Status s = table.status();
  if (s) s = (*table)->createIndex(findFile(ctx.CRUNIN, "USERLIST.NTX"), byName);
  if (s) s = (*table)->pack();
  if (table) {
    if (Status c = (*table)->close(); s) s = c;
  }
  if (!s) ctx.log.log(kPlace, s.message());
}

}  // namespace

void packTablesAtExit(Context& ctx) {
  if (Status s = closeTableInUse(ctx); !s) ctx.log.log(kPlace, s.message());
  if (!ctx.run.LS_PACK) return;
  packAppointments(ctx);
  packUserRegistry(ctx);
}

}  // namespace zrv
