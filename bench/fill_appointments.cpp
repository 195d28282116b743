// Writes an appointment table for measurements: zrv_fill_appointments DIR COUNT creates
// DIR/ZORVANE.TER with COUNT appointments from tomorrow on (several a day, mixed kinds, lead
// times and recurrences) and its four index files, as a long-used table looks.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "bench_appointments.h"
#include "platform/system_clock.h"
#include "store/appointments/appointment_record.h"
#include "store/appointments/appointment_table.h"
#include "store/appointments/trigger.h"
#include "store/base/logbook.h"

namespace {

bool ok(const zrv::Status& s, const char* what) {
  if (!s) std::cerr << what << ": " << s.message() << "\n";
  return s.isOk();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: zrv_fill_appointments DIR COUNT\n";
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  const int count = std::atoi(argv[2]);
  zrv::SystemClock clock;
  zrv::Logbook log(dir / "fill.log", "fill", clock);  // stays off
  const std::filesystem::path file = dir / "ZORVANE.TER";
  if (!ok(zrv::Table::create(file, zrv::terStruct(), clock), "create")) return 1;
  {
    auto opened = zrv::Table::open(file, clock, {zrv::OpenMode::kExclusive, "DTER", {}});
    if (!ok(opened.status(), "open")) return 1;
    zrv::Table& t = **opened;
    const zrv::Date first = clock.today() + 1;
    for (int i = 0; i < count; ++i) {
      zrv::Appointment a = zrv::bench::benchAppointment(i, first);
      zrv::applyTriggerRule(a, log);
      if (!ok(t.append(), "append") || !ok(zrv::writeAppointment(t, a), "write")) return 1;
    }
    if (!ok(t.close(), "close")) return 1;
  }
  auto table = zrv::AppointmentTable::open(dir / "ZORVANE", clock, {});  // builds the indexes
  if (!ok(table.status(), "indexes")) return 1;
  return ok((*table)->close(), "close") ? 0 : 1;
}
