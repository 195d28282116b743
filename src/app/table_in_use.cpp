#include "app/table_in_use.h"

#include "app/check_dbf.h"
#include "app/context.h"
#include "app/table_names.h"
#include "app/table_problems.h"
#include "ports/user_interface.h"
#include "store/appointments/appointment_table.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

constexpr const char* kPlace = "DBFOpen";

void tellListener(Context& ctx) {
  ctx.tableListener->tableChanged(ctx);
}

}  // namespace

bool useTable(Context& ctx, const std::string& name) {
  return useTable(ctx, name, ctx.DTER ? ctx.settings.CN_FILE : std::string());
}

bool useTable(Context& ctx, const std::string& name, const std::string& previous) {
  if (Status s = closeTableInUse(ctx); !s) ctx.log.log(kPlace, s.message());
  ctx.settings.CN_FILE = name;
  if (checkDbf(ctx)) {
    tellListener(ctx);
    return true;
  }
  if (!previous.empty() && !sameTableName(previous, name)) {
    ctx.log.log(kPlace, "Die Termindatei " + name + " bleibt geschlossen; zurück zu " + previous);
    ctx.settings.CN_FILE = previous;
    if (checkDbf(ctx)) {
      ctx.ui.message(kProblemTitle, "Die Termindatei " + name +
                                        " konnte nicht geöffnet werden.\nSie arbeiten weiter "
                                        "mit der Termindatei " +
                                        previous + ".");
    }
  }
  // Neither opens (a table rebuilt in place that then fails): the program's own table rather
  // than none.
  if (!ctx.DTER && !sameTableName(ctx.settings.CN_FILE, "ZORVANE")) {
    ctx.settings.CN_FILE = "ZORVANE";
    checkDbf(ctx);
  }
  tellListener(ctx);
  return false;
}

bool reopenTable(Context& ctx) {
  if (Status s = closeTableInUse(ctx); !s) ctx.log.log(kPlace, s.message());
  const bool ok = checkDbf(ctx);
  tellListener(ctx);
  return ok;
}

Status closeTableInUse(Context& ctx) {
  return closeTableInUse(ctx, {});
}

Status closeTableInUse(Context& ctx, const std::function<void()>& whileHeld) {
  if (!ctx.DTER) {
    if (whileHeld) whileHeld();
    return {};
  }
  ctx.tableListener->tableClosing(ctx);
  if (whileHeld) whileHeld();
  Status s = ctx.DTER->close();
  ctx.DTER.reset();
  return s;
}

}  // namespace zrv
