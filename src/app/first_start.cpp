#include "app/first_start.h"

#include <vector>

#include "app/context.h"
#include "app/sample_appointments.h"
#include "app/table_in_use.h"
#include "app/table_names.h"
#include "app/table_problems.h"
#include "ports/user_interface.h"
#include "store/appointments/appointment_record.h"
#include "store/appointments/appointment_table.h"
#include "store/base/logbook.h"
#include "store/xbase/table.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

constexpr const char* kPlace = "BuildDBase";

// The name without a ".TER" ending (any case).
std::string withoutTer(const std::string& name) {
  const std::string upper = upperName(name);
  if (upper.size() >= 4 && upper.compare(upper.size() - 4, 4, ".TER") == 0) {
    return name.substr(0, name.size() - 4);
  }
  return name;
}

void reportWriteProblem(Context& ctx, const fs::path& file, const Status& s) {
  ctx.log.log(kPlace, s.message());
  ctx.ui.message(kProblemTitle, "In die Termindatei " + file.filename().string() +
                                    " kann nicht geschrieben werden.\n" + s.message());
}

}  // namespace

bool buildDbase(Context& ctx, const std::string& name) {
  if (name.empty()) return true;
  (void)closeTableInUse(ctx);
  // Table names are upper case: "Zorvane" makes ZORVANE.TER.
  const std::string tableName = upperName(withoutTer(name));
  const fs::path base = tableBase(ctx.CRUNIN, tableName);
  if (!tableExists(ctx.CRUNIN, tableName)) {
    const fs::path file = appointmentTableFile(base);
    if (Status s = Table::create(file, terStruct(), ctx.clock); !s) {
      ctx.log.log(kPlace, s.message());
      ctx.ui.message(kProblemTitle, "Die Termindatei " + file.filename().string() +
                                        " kann nicht angelegt werden.\n" + s.message());
    }
  }
  ctx.settings.CN_FILE = tableName;
  do1stStart(ctx, tableName == "ZORVANE" ? 1 : 0);
  return true;
}

bool do1stStart(Context& ctx, int mode) {
  const fs::path base = tableBase(ctx.CRUNIN, ctx.settings.CN_FILE);
  const fs::path file = appointmentTableFile(base);
  AppointmentTable::Options options;
  options.mode = OpenMode::kExclusive;
  options.onNote = [&ctx](const std::string& note) { ctx.log.log(kPlace, note); };
  auto table = AppointmentTable::open(base, ctx.clock, options);
  if (!table) {
    reportOpenProblem(ctx, kPlace, file, table.status());
    return false;
  }
  AppointmentTable& t = **table;
  if (Status s = t.table().setOrder(0); !s) return false;
  if (Status s = t.goTop(); !s) return false;
  const std::vector<Appointment> records = mode == 1 && t.eof()
                                               ? sampleAppointments(ctx.clock)
                                               : std::vector<Appointment>{newTableNote(ctx.clock)};
  Status s;
  for (const Appointment& a : records) {
    if (s) s = t.append(a);
  }
  if (s) s = t.commit();
  if (Status c = t.close(); s) s = c;
  if (!s) reportWriteProblem(ctx, file, s);
  return s.isOk();
}

}  // namespace zrv
