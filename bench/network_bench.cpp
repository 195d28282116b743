// The user registry of a network installation with 1,000 users: one registration (the registry
// opened with its index rebuilt, as after another workstation's change, the name looked up,
// appended and committed), reading the user list, and the cleaning's search for missing tables
// among 7,000 table files, 100 of them missing (one listing of the directory).
//
// Targets: a registration under 50 ms, the user list read under 20 ms, the search under 200 ms.
// (The 1,000 users grow by the registrations measured first.)
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/context.h"
#include "network/user_names.h"
#include "network/user_registry.h"
#include "network/user_removal.h"
#include "network/user_switch.h"
#include "ports/user_interface.h"
#include "store/base/clock.h"
#include "store/base/logbook.h"
#include "store/xbase/table.h"

namespace {

namespace fs = std::filesystem;

constexpr int kUsers = 1000;
constexpr int kMissing = 100;

void check(const zrv::Status& s) {
  if (!s) throw std::runtime_error(s.message());
}

std::string userName(int i) {
  return "Benutzer " + std::to_string(i) + " Nachname" + std::to_string(i);
}

// The table of user i: NACH<i>, which exists for all but the last kMissing users.
std::string tableOf(int i) {
  return (i < kUsers - kMissing ? "NACH" : "FORT") + std::to_string(i);
}

class Data {
 public:
  static Data& get() {
    static Data data;
    return data;
  }
  ~Data() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  fs::path dir;
  zrv::FixedClock clock{"15.03.2024", "10:00"};
  zrv::SilentUserInterface ui;
  std::unique_ptr<zrv::Logbook> log;
  std::unique_ptr<zrv::Context> ctx;

 private:
  Data() {
    std::string tmpl = (fs::temp_directory_path() / "zrvnet-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp");
    dir = tmpl;
    check(zrv::createUserList(dir, clock));
    auto t = zrv::Table::open(dir / zrv::kUserListFile, clock, {zrv::OpenMode::kExclusive, "", {}});
    check(t.status());
    for (int i = 0; i < kUsers; ++i) {
      check((*t)->append());
      check((*t)->setString("USERNAME", userName(i)));
      check((*t)->setString("USERFILE", tableOf(i)));
    }
    check((*t)->close());
    // 7,000 table files: those of the users' tables and as many of tables nobody names.
    for (int i = 0; i < kUsers; ++i) {
      const std::string base = i < kUsers - kMissing ? tableOf(i) : "ALT" + std::to_string(i);
      for (const char* ext : {".TER", ".DBT", ".NT1", ".NT2", ".NT3", ".NT4", ".KAL"})
        std::ofstream(dir / (base + ext));
    }
    log = std::make_unique<zrv::Logbook>(dir / "Zorvane.Log", "bench", clock);
    ctx = std::make_unique<zrv::Context>(dir / "", clock, *log, ui);
  }
};

// As after a change by another workstation: the next open rebuilds the index.
void forgetRegistryStamp(zrv::Context& ctx) {
  ctx.run.DS_USRDATE = zrv::Date();
  ctx.run.CS_USRTIME.clear();
}

void BM_Registration(benchmark::State& state) {
  Data& d = Data::get();
  int next = 0;
  for (auto _ : state) {
    forgetRegistryStamp(*d.ctx);
    auto registry = zrv::UserRegistry::open(*d.ctx, zrv::UserRegistry::Use::kLookup);
    check(registry.status());
    const std::string name = "Neu " + std::to_string(next++) + " Zugang";
    auto added = registry->addUnlessPresent(name, zrv::chkUmlaut(name));
    check(added.status());
    check(registry->close());
  }
}
BENCHMARK(BM_Registration)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The list as "Benutzer" reads it: the registry opened shared with its index. `changed`: as after
// another workstation's change, the index rebuilt first (for comparison; no target).
void readList(benchmark::State& state, bool changed) {
  Data& d = Data::get();
  std::size_t users = 0;
  forgetRegistryStamp(*d.ctx);
  for (auto _ : state) {
    if (changed) forgetRegistryStamp(*d.ctx);
    auto all = zrv::readUserList(*d.ctx);
    check(all.status());
    users = all->size();
  }
  state.counters["users"] = static_cast<double>(users);
}
void BM_UserListRead(benchmark::State& state) {
  readList(state, false);
}
void BM_UserListReadAfterAChange(benchmark::State& state) {
  readList(state, true);
}
BENCHMARK(BM_UserListRead)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_UserListReadAfterAChange)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_MissingTablesAmong7000Files(benchmark::State& state) {
  Data& d = Data::get();
  forgetRegistryStamp(*d.ctx);
  auto all = zrv::readUserList(*d.ctx);
  check(all.status());
  std::size_t missing = 0;
  for (auto _ : state) {
    missing = zrv::missingTables(d.dir, *all).size();
  }
  if (missing < kMissing) throw std::runtime_error("missing tables not found");
  state.counters["missing"] = static_cast<double>(missing);
}
BENCHMARK(BM_MissingTablesAmong7000Files)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
