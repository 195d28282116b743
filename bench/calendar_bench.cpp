// One navigation step of the month calendar on a table of 100,000 appointments: the temporary
// month index built and deleted, the month's appointments collected, the 42 cells computed.
// Beside it, building one of the four standard indexes of the same table.
//
// Targets: the step's median at most 30 ms, and at most twice the standard index build.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>

#include "calendar/calendar_model.h"
#include "calendar/month_appointments.h"
#include "store/appointments/appointment_record.h"
#include "store/appointments/appointment_table.h"
#include "store/base/clock.h"
#include "store/xbase/table.h"

namespace {

namespace fs = std::filesystem;
using zrv::Appointment;
using zrv::Date;

constexpr int kRecords = 100000;

void check(const zrv::Status& s) {
  if (!s) throw std::runtime_error(s.message());
}

const zrv::FixedClock& benchClock() {
  static const zrv::FixedClock clock("15.03.2024", "10:00");
  return clock;
}

// Appointments over two years around today, a fifth of them filed, some starting programs.
Appointment generated(std::mt19937& rng) {
  Appointment a;
  a.DATE = benchClock().today() + static_cast<long>(rng() % 730) - 365;
  a.TDATE = a.DATE;
  a.TIME = a.TIMEVON = a.TTIME = "10:30";
  a.TEXT = "Termin " + std::to_string(rng() % 100000) + " mit Frau Müller\r\nRaum 12";
  if (rng() % 10 == 0) {
    a.PROGSTART = ".\\tools\\backup.exe";
    a.PROGPARAM = "-voll";
  }
  a.VORLAGE = 1;
  a.QUIT = rng() % 5 == 0;
  a.TERMINART = "TA70";
  return a;
}

class Data {
 public:
  static Data& get() {
    static Data data;
    return data;
  }
  ~Data() {
    table.reset();
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  fs::path dir;
  std::unique_ptr<zrv::AppointmentTable> table;

 private:
  Data() {
    std::string tmpl = (fs::temp_directory_path() / "zrvcal-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp");
    dir = tmpl;
    const fs::path base = dir / "ZORVANE";
    check(zrv::Table::create(zrv::appointmentTableFile(base), zrv::terStruct(), benchClock()));
    {
      auto t = zrv::Table::open(zrv::appointmentTableFile(base), benchClock(),
                                {zrv::OpenMode::kExclusive, "DTER", {}});
      check(t.status());
      std::mt19937 rng(20240315);
      for (int i = 0; i < kRecords; ++i) {
        check((*t)->append());
        check(zrv::writeAppointment(**t, generated(rng)));
      }
      check((*t)->close());
    }
    auto opened = zrv::AppointmentTable::open(base, benchClock(), {});
    check(opened.status());
    table = std::move(*opened);
  }
};

void BM_CalendarNavigationStep(benchmark::State& state) {
  Data& d = Data::get();
  zrv::CalendarModel model(benchClock().today(), benchClock(), [&d](const Date& date) {
    zrv::MonthCollection month = zrv::kalGetTermine(*d.table, date);
    check(month.status);
    return month;
  });
  // A year forward month by month, then back again: every month shown holds appointments.
  long steps = 0;
  double days = 0;
  for (auto _ : state) {
    const bool on = (steps++ / 12) % 2 == 0;
    if (!model.navigate(on ? zrv::CalendarStep::kMonthOn : zrv::CalendarStep::kMonthBack)) {
      throw std::runtime_error("step");
    }
    days += static_cast<double>(model.appointments().size());
    benchmark::DoNotOptimize(model.page());
  }
  state.counters["days with appointments"] = days / static_cast<double>(steps);
}
BENCHMARK(BM_CalendarNavigationStep)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_BuildOneStandardIndex(benchmark::State& state) {
  Data& d = Data::get();
  const auto& ix = zrv::appointmentIndexes()[0];
  const zrv::IndexDef def{ix.key, ix.forCondition, false, {}};
  const fs::path file = d.dir / "ONE.NT1";
  for (auto _ : state) {
    check(d.table->table().createIndex(file, def));
    state.PauseTiming();
    check(d.table->reopenIndexes());
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildOneStandardIndex)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
