// The next week's page model (PRINTNXTWEEK without the printer) on appointment tables made by
// zrv_fill_appointments: 1,000 and 100,000 appointments, twelve a day from tomorrow on, so both
// hold the same coming week. The walk reads only the week's triggers through index order 1.
//
// Targets: at 100,000 appointments the median at most 5 ms, and at most 1.5 times the median at
// 1,000 appointments of the same run.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/context.h"
#include "platform/system_clock.h"
#include "ports/user_interface.h"
#include "print/appointment_pages.h"
#include "store/appointments/appointment_table.h"
#include "store/base/logbook.h"

namespace {

namespace fs = std::filesystem;

// A program directory with a filled table, opened as the program opens it.
class FilledTable {
 public:
  static FilledTable& withAppointments(int count) {
    static std::map<int, std::unique_ptr<FilledTable>> tables;
    auto& t = tables[count];
    if (!t) t.reset(new FilledTable(count));
    return *t;
  }
  ~FilledTable() {
    ctx.DTER.reset();
    std::error_code ec;
    fs::remove_all(dir, ec);
  }

  fs::path dir;
  zrv::SystemClock clock;  // the filler dates its appointments from the real today
  zrv::SilentUserInterface ui;
  std::unique_ptr<zrv::Logbook> log;
  zrv::Context ctx;

 private:
  explicit FilledTable(int count)
      : dir(makeDir()),
        log(std::make_unique<zrv::Logbook>(dir / "Zorvane.Log", zrv::kRelease, clock)),
        ctx(dir / "", clock, *log, ui) {
    const std::string fill =
        std::string(ZRV_FILL_APPOINTMENTS) + " '" + dir.string() + "' " + std::to_string(count);
    if (std::system(fill.c_str()) != 0) throw std::runtime_error("zrv_fill_appointments failed");
    auto table = zrv::AppointmentTable::open(dir / "ZORVANE", clock, {});
    if (!table) throw std::runtime_error(table.message());
    ctx.DTER = std::move(*table);
  }
  static fs::path makeDir() {
    std::string tmpl = (fs::temp_directory_path() / "zrvprint-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp");
    return tmpl;
  }
};

void BM_NextWeekPage(benchmark::State& state) {
  FilledTable& t = FilledTable::withAppointments(static_cast<int>(state.range(0)));
  std::size_t pages = 0, texts = 0;
  for (auto _ : state) {
    const zrv::Printout p = zrv::weekPrintout(t.ctx, *t.ctx.DTER);
    if (!p.status || !p.job) throw std::runtime_error("no week to print");
    pages = p.job->pages.size();
    texts = 0;
    for (const zrv::PrintPage& page : p.job->pages)
      texts += page.texts.size();
    benchmark::DoNotOptimize(p);
  }
  state.counters["pages"] = static_cast<double>(pages);
  state.counters["texts"] = static_cast<double>(texts);
}
BENCHMARK(BM_NextWeekPage)
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
