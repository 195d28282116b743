// `zorvane --next` from a cold process against the terminal calendars' own "next appointment"
// (`calcurse -n`, `remind -n`, Debian packages) over the same appointments, written in each
// program's format: 100, 10,000 and 100,000 of them, the median of 5 runs each. After the runs a
// table compares them with the targets: at 100,000 Zorvane takes at most a tenth of the faster
// peer, and at most 1.5 times its own time at 100 (the index finds the next appointment without
// reading the table).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "bench_appointments.h"
#include "platform/system_clock.h"

extern char** environ;

namespace {
namespace fs = std::filesystem;
using zrv::Appointment;

constexpr int kSizes[] = {100, 10000, 100000};
constexpr const char* kPeers[] = {"zorvane --next", "calcurse -n", "remind -n"};

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Runs argv to its end with its output thrown away; false when it could not be started.
bool runQuietly(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv)
    args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int started = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (started != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return true;
}

std::string oneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

// The same appointments for calcurse ("apts") and remind.
void writePeerFiles(const fs::path& dir, int count, const zrv::Date& first) {
  fs::create_directories(dir / "calcurse");
  std::ofstream(dir / "calcurse" / "todo").flush();
  std::ofstream apts(dir / "calcurse" / "apts");
  std::ofstream rem(dir / "reminders.rem");
  char buf[64];
  for (int i = 0; i < count; ++i) {
    const Appointment a = zrv::bench::benchAppointment(i, first);
    const std::string text = oneLine(a.TEXT);
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d @ %s", a.DATE.month(), a.DATE.day(),
                  a.DATE.year(), a.TIME.c_str());
    apts << buf << " -> " << buf << (a.VORLAGE == 4 ? " {1W}" : "") << " |" << text << "\n";
    rem << "REM " << a.DATE.day() << " " << kMonths[a.DATE.month() - 1] << " " << a.DATE.year()
        << (a.VORLAGE == 4 ? " *7" : "") << " AT " << a.TIME << " MSG " << text << "\n";
  }
}

// A program directory per size with the program, its table and the peers' files.
fs::path prepare(int count) {
  const fs::path dir = fs::temp_directory_path() / ("zrv-cli-bench-" + std::to_string(count));
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::copy_file(ZRV_PROGRAM, dir / "zorvane");
  if (!runQuietly({ZRV_FILL_APPOINTMENTS, dir.string(), std::to_string(count)})) {
    std::cerr << "zrv_fill_appointments did not run\n";
  }
  const zrv::SystemClock clock;
  writePeerFiles(dir, count, clock.today() + 1);
  return dir;
}

std::vector<std::string> command(const std::string& peer, const fs::path& dir) {
  if (peer == "zorvane --next") return {(dir / "zorvane").string(), "--next"};
  if (peer == "calcurse -n") return {"calcurse", "-D", (dir / "calcurse").string(), "-n"};
  return {"remind", "-n", (dir / "reminders.rem").string()};
}

// Each run is a new process; the files were read once before, as a user's files are.
void coldStart(benchmark::State& state, const std::vector<std::string>& argv) {
  if (state.thread_index() == 0) (void)runQuietly(argv);
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!runQuietly(argv)) state.SkipWithError("the program is not installed");
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
}

// Keeps the medians for the table after the runs.
class MedianTable : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      const std::string name = r.run_name.str();
      if (r.aggregate_name == "median") {
        medians[name.substr(0, name.find("/iterations"))] = r.GetAdjustedRealTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> medians;  // milliseconds, by "peer/size"
};

std::string key(const std::string& peer, int size) {
  return peer + "/" + std::to_string(size);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  for (const int size : kSizes) {
    const fs::path dir = prepare(size);
    for (const char* peer : kPeers) {
      benchmark::RegisterBenchmark((std::string(peer) + "/" + std::to_string(size)).c_str(),
                                   coldStart, command(peer, dir))
          ->Iterations(1)
          ->Repetitions(5)
          ->ReportAggregatesOnly(true)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond);
    }
  }
  MedianTable table;
  benchmark::RunSpecifiedBenchmarks(&table);
  std::printf(
      "\n| appointments | zorvane --next | calcurse -n | remind -n |\n|---:|---:|---:|---:|\n");
  for (const int size : kSizes) {
    std::printf("| %d | %.1f ms | %.1f ms | %.1f ms |\n", size, table.medians[key(kPeers[0], size)],
                table.medians[key(kPeers[1], size)], table.medians[key(kPeers[2], size)]);
  }
  const double own100 = table.medians[key(kPeers[0], 100)];
  const double own = table.medians[key(kPeers[0], 100000)];
  const double peer =
      std::min(table.medians[key(kPeers[1], 100000)], table.medians[key(kPeers[2], 100000)]);
  std::printf(
      "\nat 100,000: %.3f x the faster peer (target <= 0.1); %.2f x its time at 100 "
      "(target <= 1.5)\n",
      own / peer, own / own100);
  benchmark::Shutdown();
  return 0;
}
