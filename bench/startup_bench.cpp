// The installed program as a user starts it, with tables of 100 and 100,000 appointments (the
// start must not grow with the table): the time from
// starting the process to its main window being shown (list built, due check started), the
// resident memory beside that of a bare wx program showing one empty frame, and the processor
// time it uses while it waits for its next tick (Timer=30). Both programs run on a display of
// their own (Xvfb with openbox); the moment a window is shown is the X server's map event.
// The program's start-up splash stays on screen for a fixed three seconds before the main window
// follows; that pause is the product's, not work, so the time reported is the time shown less
// it (the whole time is the counter "with_splash_s").
#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

#include "support/process.h"
#include "support/test_dir.h"
#include "support/virtual_display.h"
#include "support/window_watch.h"

namespace zrv {
namespace {
using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr const char* kTitle = "QLS Zorvane";
constexpr double kSplashSeconds = 3.0;  // the splash closes by itself after this long

// VmRSS of a process in kB.
long residentKb(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// utime + stime of a process in clock ticks.
long cpuTicks(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::istringstream rest(all.substr(all.rfind(')') + 2));
  std::string field;
  long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && rest >> field; ++i) {  // fields 3.. after "pid (comm) "
    if (i == 14) utime = std::stol(field);
    if (i == 15) stime = std::stol(field);
  }
  return utime + stime;
}

void mustRun(const std::vector<std::string>& argv) {
  const auto r = test::run(argv, {}, 120s);
  if (r.status != 0) throw std::runtime_error(argv[0] + " failed: " + r.output);
}

// A program directory with the installed program, `appointments` appointments and Timer=30,
// and a display to run it on.
struct Setup {
  explicit Setup(int appointments) {
    mustRun({"cmake", "--install", ZRV_BINARY_DIR, "--prefix", dir.path().string()});
    mustRun({ZRV_FILL_APPOINTMENTS, dir.path().string(), std::to_string(appointments)});
    dir.write("ZORVANE.SAV", "[SYSTEM]\r\nTimer=30\r\n");
    if (!display.ready()) {
      throw std::runtime_error("Xvfb with openbox did not start:\n" + display.diagnostics());
    }
    env = display.environment();
    env["XDG_CONFIG_HOME"] = (dir / "config").string();
    env["SDL_AUDIODRIVER"] = "dummy";
  }
  test::TestDir dir;
  test::VirtualDisplay display;
  test::EnvChanges env;
};

Setup& setup(int appointments) {
  static std::map<int, std::unique_ptr<Setup>> setups;
  auto& s = setups[appointments];
  if (!s) s = std::make_unique<Setup>(appointments);
  return *s;
}

struct Started {
  std::unique_ptr<test::Process> process;
  double seconds = 0;  // from the start of the process to its window being shown
};

Started startAndWait(Setup& s, const std::string& program, const std::string& title) {
  test::WindowWatch watch(s.display.name());
  if (!watch.ready()) throw std::runtime_error("no connection to the display");
  Started out;
  const auto t0 = std::chrono::steady_clock::now();
  out.process = std::make_unique<test::Process>(std::vector<std::string>{program}, s.env);
  if (!watch.waitShown(title, 30s)) throw std::runtime_error(program + " showed no window");
  out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  return out;
}

void stop(Started& s) {
  s.process->stop();
  s.process->waitFor(20s);
}

void BM_StartToMainWindowShown(benchmark::State& state) {
  Setup& s = setup(static_cast<int>(state.range(0)));
  const std::string program = (s.dir / "zorvane").string();
  for (auto _ : state) {
    Started started = startAndWait(s, program, kTitle);
    state.SetIterationTime(started.seconds - kSplashSeconds);
    state.counters["with_splash_s"] = started.seconds;
    stop(started);
  }
  state.counters["appointments"] = static_cast<double>(state.range(0));
}
// Five starts each, one per repetition, so that the median of the five is reported beside the
// mean (a start disturbed by other work on the machine moves the mean, hardly the median).
BENCHMARK(BM_StartToMainWindowShown)
    ->Arg(100)
    ->Arg(100000)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// The floor of the figure above: a bare wx program from its start to its one frame shown.
void BM_BareFrameShown(benchmark::State& state) {
  Setup& s = setup(100);
  for (auto _ : state) {
    Started started = startAndWait(s, ZRV_BARE_WX_FRAME, "bare wx frame");
    state.SetIterationTime(started.seconds);
    stop(started);
  }
}
BENCHMARK(BM_BareFrameShown)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// One run: the bare frame first, then the program; memory once both have settled, processor
// time over idle seconds between two ticks.
void BM_ResidentMemoryAndIdleCpu(benchmark::State& state) {
  Setup& s = setup(static_cast<int>(state.range(0)));
  // The first start of a program on a fresh display is several times as large as the next ones
  // (caches filled once); one start of each before measuring keeps that out of the figures.
  for (const auto& [program, title] :
       {std::pair<std::string, std::string>{ZRV_BARE_WX_FRAME, "bare wx frame"},
        {(s.dir / "zorvane").string(), kTitle}}) {
    Started warm = startAndWait(s, program, title);
    stop(warm);
  }
  for (auto _ : state) {
    Started bare = startAndWait(s, ZRV_BARE_WX_FRAME, "bare wx frame");
    std::this_thread::sleep_for(1500ms);
    const long bareKb = residentKb(bare.process->pid());
    stop(bare);

    Started program = startAndWait(s, (s.dir / "zorvane").string(), kTitle);
    std::this_thread::sleep_for(1500ms);
    const pid_t pid = program.process->pid();
    const long programKb = residentKb(pid);
    const long before = cpuTicks(pid);
    std::this_thread::sleep_for(4s);
    const long idleTicks = cpuTicks(pid) - before;
    stop(program);

    state.counters["shown_s"] = program.seconds - kSplashSeconds;
    state.counters["rss_bare_MB"] = bareKb / 1024.0;
    state.counters["rss_program_MB"] = programKb / 1024.0;
    state.counters["rss_above_bare_MB"] = (programKb - bareKb) / 1024.0;
    state.counters["idle_cpu_ticks_4s"] = static_cast<double>(idleTicks);
  }
}
BENCHMARK(BM_ResidentMemoryAndIdleCpu)
    ->Arg(100)
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zrv
