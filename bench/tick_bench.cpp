// The cost of one due-check tick when nothing is due, for a small and a large appointment
// table: the tick reads the stamp of the table file and compares the remembered next trigger
// with the clock, so its cost must not grow with the table. The bare stat() of the table file
// is measured beside it as the floor.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/context.h"
#include "ports/alert_port.h"
#include "ports/launcher_port.h"
#include "ports/mail_port.h"
#include "ports/main_window_port.h"
#include "ports/sound_port.h"
#include "ports/timer_port.h"
#include "ports/user_interface.h"
#include "ports/wait_port.h"
#include "ports/wake_up_port.h"
#include "reminder/due_check.h"
#include "reminder/next_appointment.h"
#include "reminder/reminder_env.h"
#include "store/appointments/appointment_record.h"
#include "store/appointments/appointment_table.h"
#include "store/appointments/trigger.h"
#include "store/base/clock.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

// Every port doing nothing (stop() serves the timer and the sound player alike).
struct NullPorts : TimerPort,
                   MainWindowPort,
                   AlertPort,
                   SoundPlayer,
                   ProgramLauncher,
                   MailDispatch,
                   WakeUpScheduler,
                   WaitPort {
  void start() override {}
  void stop() override {}
  bool running() const override { return false; }
  void refresh() override {}
  void showOnTop() override {}
  void listToFirstRow() override {}
  void setTrayTooltip(const std::string&) override {}
  void processPendingMessages() override {}
  void showAlert(const AlertContent&, AlertActions&) override {}
  std::optional<Postponement> askPostponement(const Date&, const std::string&) override {
    return std::nullopt;
  }
  bool play(const std::filesystem::path&) override { return false; }
  LaunchResult launch(const LaunchRequest&) override { return {}; }
  int send(const MailRequest&) override { return 1; }
  bool available() override { return false; }
  bool removeJob() override { return false; }
  bool createJob(const Date&, const std::string&, bool) override { return false; }
  bool jobExists() override { return false; }
  void waitOneSecond() override {}
  void whileWaiting() override {}
};

void check(const Status& s) {
  if (!s) throw std::runtime_error(s.message());
}

// A program directory with `count` appointments, all of them ahead of the clock.
class TickSetup {
 public:
  explicit TickSetup(int count)
      : dir_(makeDir()),
        clock_("10.06.2024", "10:07:00"),
        log_(dir_ / "Zorvane.Log", kRelease, clock_),
        ctx_(dir_ / "", clock_, log_, ui_) {
    fill(count);
    auto opened = AppointmentTable::open(dir_ / "ZORVANE", clock_, {});
    check(opened.status());
    table_ = std::move(opened).value();
    env_ = std::make_unique<ReminderEnv>(
        ctx_, *table_, ReminderPorts{null_, null_, null_, null_, null_, null_, null_, null_});
    ctx_.run.DS_STARTDATE = clock_.today();
    chkAll(*env_);  // the first tick notices the file and finds the next appointment
  }
  ~TickSetup() {
    env_.reset();
    if (table_) (void)table_->close();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  ReminderEnv& env() { return *env_; }
  FixedClock& clock() { return clock_; }
  const std::filesystem::path& tableFile() const { return table_->table().file(); }

 private:
  static std::filesystem::path makeDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "zrvbench-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp");
    return tmpl;
  }

  // Written without indexes; opening the appointment table then builds them in one sort.
  void fill(int count) {
    const std::filesystem::path file = dir_ / "ZORVANE.TER";
    check(Table::create(file, terStruct(), clock_));
    auto opened = Table::open(file, clock_, {OpenMode::kExclusive, "DTER", {}});
    check(opened.status());
    Table& t = **opened;
    const Date first = Date::fromDisplay("11.06.2024");
    for (int i = 0; i < count; ++i) {
      Appointment a;
      a.DATE = first + i / 24;
      a.TIME = a.TIMEVON = (i % 24 < 10 ? "0" : "") + std::to_string(i % 24) + ":30";
      a.TEXT = "Termin " + std::to_string(i);
      a.VORLAGE = 1;
      a.WARNMIN = 15;
      applyTriggerRule(a, log_);
      check(t.append());
      check(writeAppointment(t, a));
    }
    check(t.close());
  }

  std::filesystem::path dir_;
  FixedClock clock_;
  SilentUserInterface ui_;
  Logbook log_;
  Context ctx_;
  NullPorts null_;
  std::unique_ptr<AppointmentTable> table_;
  std::unique_ptr<ReminderEnv> env_;
};

TickSetup& setupFor(int count) {
  static TickSetup small(100);
  static TickSetup large(100000);
  return count == 100 ? small : large;
}

void BM_TickNothingDue(benchmark::State& state) {
  ReminderEnv& env = setupFor(static_cast<int>(state.range(0))).env();
  if (env.DTER.eof() || env.ctx.run.DN_DATE.empty()) state.SkipWithError("no next appointment");
  for (auto _ : state) {
    benchmark::DoNotOptimize(chkAll(env));
  }
  state.SetLabel(std::to_string(state.range(0)) + " Termine");
}
BENCHMARK(BM_TickNothingDue)->Arg(100)->Arg(100000)->Repetitions(10)->ReportAggregatesOnly(true);

// The tick that notices a new day: it builds today's and the past once-only index (.NT3,
// .NT4) anew from the whole table. Each iteration is the first tick of another day (09.06 and
// 10.06.2024 in turn); the table's appointments all lie ahead (from 11.06.2024 on, 24 a day),
// so nothing becomes due and the tick's cost is the rebuild.
void BM_DayChangeTick(benchmark::State& state) {
  static TickSetup setup(static_cast<int>(state.range(0)));
  ReminderEnv& env = setup.env();
  long day = 0;
  for (auto _ : state) {
    setup.clock().set(Moment{Date::fromDisplay("09.06.2024") + (day++ % 2), 60});
    benchmark::DoNotOptimize(chkAll(env));
  }
  state.SetLabel(std::to_string(state.range(0)) + " Termine");
}
BENCHMARK(BM_DayChangeTick)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_StatOfTableFile(benchmark::State& state) {
  const std::string file = setupFor(static_cast<int>(state.range(0))).tableFile().string();
  for (auto _ : state) {
    struct stat st {};
    benchmark::DoNotOptimize(::stat(file.c_str(), &st));
  }
}
BENCHMARK(BM_StatOfTableFile)->Arg(100000)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace zrv
