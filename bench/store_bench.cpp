// The storage engine against SQLite doing the same work on the same 100,000 generated
// appointments: building the four trigger indexes, appending one appointment durably with all
// indexes kept current, going to the first record of an order, opening the table exclusively, and
// packing.
//
// Targets: index build at most as long as SQLite's; durable append at most 0.8 times SQLite's
// (WAL, synchronous=FULL) and at most 1.2 times one in-place write of 512 bytes and its
// fdatasync (the physical floor), both measured in the same run; first record of an order within
// 5 us for 100 and for 100,000 records alike; the exclusive open of 100,000 at most 5 ms longer
// than that of 100.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>

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

template <class T>
T check(zrv::Result<T> r) {
  if (!r) throw std::runtime_error(r.message());
  return std::move(*r);
}

const zrv::FixedClock& benchClock() {
  static const zrv::FixedClock clock("15.03.2024", "10:00");
  return clock;
}

// Appointments spread over two years around "today", a fifth of them filed.
class Generator {
 public:
  Appointment next() {
    Appointment a;
    const Date today = benchClock().today();
    a.DATE = today + static_cast<long>(rng_() % 730) - 365;
    const int minute = static_cast<int>(rng_() % 1440);
    a.TIME = hhmm(minute);
    a.TIMEVON = a.TIME;
    a.WARNMIN = static_cast<int>(rng_() % 4) * 15;
    const int trigger = minute - a.WARNMIN;
    a.TDATE = trigger < 0 ? a.DATE - 1 : a.DATE;
    a.TTIME = hhmm((trigger + 1440) % 1440);
    a.TEXT = "Termin " + std::to_string(rng_() % 100000) + " mit Frau Müller\r\nRaum " +
             std::to_string(rng_() % 500);
    a.VORLAGE = 1 + static_cast<int>(rng_() % 6);
    a.QUIT = rng_() % 5 == 0;
    a.ALARM = true;
    a.ALARMFILE = ".\\sounds\\gong.wav";
    a.TERMINART = "TA70";
    a.WEEKDAYS = "       ";
    a.MONTH = "            ";
    return a;
  }

 private:
  static std::string hhmm(int m) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d:%02d", m / 60, m % 60);
    return buf;
  }
  std::mt19937 rng_{20240315};
};

// ---- SQLite ---------------------------------------------------------------------------------

struct Db {
  sqlite3* db = nullptr;
  ~Db() { sqlite3_close(db); }
  void exec(const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
      const std::string message = error ? error : "sqlite";
      sqlite3_free(error);
      throw std::runtime_error(message);
    }
  }
};

constexpr const char* kSqlColumns =
    "TDATE TEXT, TTIME TEXT, LAUTO INT, DATE TEXT, TIME TEXT, TIMEVON TEXT, TEXT TEXT, "
    "VORLAGE INT, VORLNACH INT, REPEAT INT, REPDATE TEXT, REPTIME TEXT, WARNMIN INT, ALARM INT, "
    "ALARMFILE TEXT, PROGSTART TEXT, PROGPARAM TEXT, TERMINART TEXT, NICHTMEHR INT, QUIT INT, "
    "DAYINTVALL INT, WEKINTVALL INT, WEEKDAYS TEXT, MONINTVALL INT, MONTHDAY INT, MONTH TEXT, "
    "ENDDAT TEXT, EMAIL TEXT";

// The same key and conditions; date() becomes the fixed day, which a partial index needs.
constexpr const char* kSqlIndexes =
    "CREATE INDEX NT1 ON TER(TDATE, TTIME) WHERE NOT QUIT;"
    "CREATE INDEX NT2 ON TER(TDATE, TTIME) WHERE QUIT;"
    "CREATE INDEX NT3 ON TER(TDATE, TTIME) WHERE DATE = '20240315' AND NOT QUIT;"
    "CREATE INDEX NT4 ON TER(TDATE, TTIME) WHERE DATE < '20240315' AND NOT QUIT AND VORLAGE = 1;";

void insertRow(sqlite3_stmt* st, const Appointment& a) {
  int i = 0;
  auto text = [&](const std::string& s) {
    sqlite3_bind_text(st, ++i, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
  };
  auto num = [&](int v) { sqlite3_bind_int(st, ++i, v); };
  text(a.TDATE.dtos());
  text(a.TTIME);
  num(a.LAUTO);
  text(a.DATE.dtos());
  text(a.TIME);
  text(a.TIMEVON);
  text(a.TEXT);
  num(a.VORLAGE);
  num(a.VORLNACH);
  num(a.REPEAT);
  text(a.REPDATE.dtos());
  text(a.REPTIME);
  num(a.WARNMIN);
  num(a.ALARM);
  text(a.ALARMFILE);
  text(a.PROGSTART);
  text(a.PROGPARAM);
  text(a.TERMINART);
  num(a.NICHTMEHR);
  num(a.QUIT);
  num(a.DAYINTVALL);
  num(a.WEKINTVALL);
  text(a.WEEKDAYS);
  num(a.MONINTVALL);
  num(a.MONTHDAY);
  text(a.MONTH);
  text(a.ENDDAT.dtos());
  text(a.EMAIL);
  if (sqlite3_step(st) != SQLITE_DONE) throw std::runtime_error("insert");
  sqlite3_reset(st);
}

constexpr const char* kSqlInsert =
    "INSERT INTO TER VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";

// ---- the shared data ------------------------------------------------------------------------

// One directory with the appointment table of 100,000 records (and one of 100), and a SQLite
// database with the same rows; made once for all benchmarks, removed at the end.
class Data {
 public:
  static Data& get() {
    static Data data;
    return data;
  }
  fs::path dir;
  fs::path big;    // base name of the 100,000-record table
  fs::path small;  // base name of the 100-record table
  fs::path sqlite;

  ~Data() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }

 private:
  Data() {
    std::string tmpl = (fs::temp_directory_path() / "zrvbench-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp");
    dir = tmpl;
    big = dir / "BIG";
    small = dir / "SMALL";
    sqlite = dir / "bench.db";
    fillTable(big, kRecords);
    fillTable(small, 100);
    fillSqlite();
  }

  static void fillTable(const fs::path& base, int count) {
    check(zrv::Table::create(zrv::appointmentTableFile(base), zrv::terStruct(), benchClock()));
    zrv::Table::Options o;
    o.mode = zrv::OpenMode::kExclusive;
    auto t = check(zrv::Table::open(zrv::appointmentTableFile(base), benchClock(), o));
    Generator g;
    for (int i = 0; i < count; ++i) {
      check(t->append());
      check(zrv::writeAppointment(*t, g.next()));
    }
    check(t->commit());
    check(t->close());
  }

  void fillSqlite() {
    Db db;
    sqlite3_open(sqlite.c_str(), &db.db);
    db.exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;");
    db.exec((std::string("CREATE TABLE TER(") + kSqlColumns + ")").c_str());
    db.exec("BEGIN");
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db.db, kSqlInsert, -1, &st, nullptr);
    Generator g;
    for (int i = 0; i < kRecords; ++i)
      insertRow(st, g.next());
    sqlite3_finalize(st);
    db.exec("COMMIT");
    db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
  }
};

// A copy of a table made for a benchmark that changes it, so that every benchmark starts from
// the same appointments.
fs::path copyOf(const fs::path& base, const std::string& name) {
  const fs::path copy = base.parent_path() / name;
  for (const char* ext : {".TER", ".DBT"}) {
    fs::copy_file(base.string() + ext, copy.string() + ext, fs::copy_options::overwrite_existing);
  }
  return copy;
}

std::unique_ptr<zrv::AppointmentTable> openAppointments(const fs::path& base, bool rebuild) {
  zrv::AppointmentTable::Options o;
  o.rebuildIndexes = rebuild;
  return check(zrv::AppointmentTable::open(base, benchClock(), o));
}

// ---- building the four indexes --------------------------------------------------------------

void BM_BuildFourIndexes_Zorvane(benchmark::State& state) {
  Data& d = Data::get();
  auto t = openAppointments(d.big, true);
  std::vector<std::pair<fs::path, zrv::IndexDef>> files;
  for (int i = 1; i <= 4; ++i) {
    const auto& ix = zrv::appointmentIndexes()[i - 1];
    files.emplace_back(zrv::appointmentIndexFile(d.big, i),
                       zrv::IndexDef{ix.key, ix.forCondition, false, {}});
  }
  for (auto _ : state)
    check(t->table().createIndexes(files));
  state.counters["records"] = kRecords;
}
BENCHMARK(BM_BuildFourIndexes_Zorvane)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_BuildFourIndexes_SQLite(benchmark::State& state) {
  Data& d = Data::get();
  Db db;
  sqlite3_open(d.sqlite.c_str(), &db.db);
  db.exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;");
  for (auto _ : state) {
    state.PauseTiming();
    db.exec(
        "DROP INDEX IF EXISTS NT1; DROP INDEX IF EXISTS NT2; DROP INDEX IF EXISTS NT3;"
        "DROP INDEX IF EXISTS NT4; PRAGMA wal_checkpoint(TRUNCATE);");
    state.ResumeTiming();
    db.exec("BEGIN");
    db.exec(kSqlIndexes);
    db.exec("COMMIT");
  }
}
BENCHMARK(BM_BuildFourIndexes_SQLite)->Unit(benchmark::kMillisecond)->MinTime(3);

// ---- appending one appointment durably ------------------------------------------------------

void BM_AppendDurable_Zorvane(benchmark::State& state) {
  Data& d = Data::get();
  auto t = openAppointments(copyOf(d.big, "APPEND"), true);
  Generator g;
  for (auto _ : state) {
    Appointment a = g.next();
    a.QUIT = false;
    a.DATE = a.TDATE = benchClock().today();  // goes into .NT1 and .NT3
    check(t->append(a));
    check(t->commit());
  }
}
BENCHMARK(BM_AppendDurable_Zorvane)->Unit(benchmark::kMicrosecond)->MinTime(3);

void BM_AppendDurable_SQLite(benchmark::State& state) {
  Data& d = Data::get();
  Db db;
  const fs::path copy = d.dir / "append.db";
  fs::copy_file(d.sqlite, copy, fs::copy_options::overwrite_existing);
  sqlite3_open(copy.c_str(), &db.db);
  db.exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;");
  db.exec(
      "DROP INDEX IF EXISTS NT1; DROP INDEX IF EXISTS NT2; DROP INDEX IF EXISTS NT3;"
      "DROP INDEX IF EXISTS NT4;");
  db.exec(kSqlIndexes);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db.db, kSqlInsert, -1, &st, nullptr);
  Generator g;
  for (auto _ : state) {
    Appointment a = g.next();
    a.QUIT = false;
    a.DATE = a.TDATE = benchClock().today();
    insertRow(st, a);  // one transaction, committed with a sync of the log
  }
  sqlite3_finalize(st);
}
BENCHMARK(BM_AppendDurable_SQLite)->Unit(benchmark::kMicrosecond)->MinTime(3);

// A record's bytes appended to a growing plain file and made durable, nothing else: each sync
// commits the new size and blocks as well.
void BM_AppendDurable_PlainFile(benchmark::State& state) {
  Data& d = Data::get();
  const fs::path file = d.dir / "plain.dat";
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) throw std::runtime_error("plain file");
  std::size_t length = 1;
  for (const zrv::FieldDef& f : zrv::terStruct())
    length += static_cast<std::size_t>(f.width);
  const std::string record(length, 'x');
  for (auto _ : state) {
    if (::write(fd, record.data(), record.size()) != static_cast<ssize_t>(record.size()) ||
        ::fdatasync(fd) != 0) {
      throw std::runtime_error("plain file");
    }
  }
  ::close(fd);
}
BENCHMARK(BM_AppendDurable_PlainFile)->Unit(benchmark::kMicrosecond)->MinTime(3);

// The floor of a durable change: 512 bytes written into space the file already owns (written
// once with zeros and made durable), one after the other and over again from the start, each
// made durable with fdatasync, which then has no size or allocation to commit.
void BM_InPlaceSync(benchmark::State& state) {
  Data& d = Data::get();
  const fs::path file = d.dir / "inplace.dat";
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw std::runtime_error("in-place file");
  constexpr std::size_t kSpace = 1u << 20;
  const std::string zeros(kSpace, '\0');
  if (::pwrite(fd, zeros.data(), kSpace, 0) != static_cast<ssize_t>(kSpace) || ::fsync(fd) != 0) {
    throw std::runtime_error("in-place file");
  }
  const std::string block(512, 'x');
  std::size_t at = 0;
  for (auto _ : state) {
    if (::pwrite(fd, block.data(), block.size(), static_cast<off_t>(at)) !=
            static_cast<ssize_t>(block.size()) ||
        ::fdatasync(fd) != 0) {
      throw std::runtime_error("in-place file");
    }
    at = (at + block.size()) % kSpace;
  }
  ::close(fd);
}
BENCHMARK(BM_InPlaceSync)->Unit(benchmark::kMicrosecond)->MinTime(3);

// ---- the first record of an order -----------------------------------------------------------

void BM_FirstRecordOfOrder(benchmark::State& state) {
  Data& d = Data::get();
  auto t = openAppointments(state.range(0) == 100 ? d.small : d.big, false);
  check(t->setView(1));
  for (auto _ : state) {
    check(t->goTop());
    benchmark::DoNotOptimize(t->recNo());
  }
}
BENCHMARK(BM_FirstRecordOfOrder)->Arg(100)->Arg(kRecords)->Unit(benchmark::kMicrosecond);

void BM_FirstRecordOfOrder_SQLite(benchmark::State& state) {
  Data& d = Data::get();
  Db db;
  sqlite3_open(d.sqlite.c_str(), &db.db);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db.db, "SELECT rowid, * FROM TER WHERE NOT QUIT ORDER BY TDATE, TTIME LIMIT 1",
                     -1, &st, nullptr);
  for (auto _ : state) {
    if (sqlite3_step(st) != SQLITE_ROW) throw std::runtime_error("select");
    benchmark::DoNotOptimize(sqlite3_column_int64(st, 0));
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
}
BENCHMARK(BM_FirstRecordOfOrder_SQLite)->Unit(benchmark::kMicrosecond);

// ---- the exclusive open at start -----------------------------------------------------------

// What the program's start pays for its table: the exclusive open of a table left clean (its
// four indexes present and sound) with the day indexes built for today, and the close.
void BM_OpenExclusive(benchmark::State& state) {
  Data& d = Data::get();
  const fs::path base = state.range(0) == 100 ? d.small : d.big;
  check(openAppointments(base, false)->close());  // the indexes exist from here on
  for (auto _ : state) {
    auto t = openAppointments(base, false);
    check(t->close());
  }
  state.SetLabel(std::to_string(state.range(0)) + " Termine");
}
BENCHMARK(BM_OpenExclusive)->Arg(100)->Arg(kRecords)->Unit(benchmark::kMillisecond);

// ---- pack -----------------------------------------------------------------------------------

void BM_Pack_TenPercentDeleted(benchmark::State& state) {
  Data& d = Data::get();
  const fs::path work = d.dir / "pack";
  const fs::path base = work / "BIG";
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(work);
    fs::create_directory(work);
    for (const char* ext : {".TER", ".DBT"}) {
      fs::copy_file(d.big.string() + ext, base.string() + ext);
    }
    {
      auto t = openAppointments(base, true);
      for (std::uint32_t r = 1; r <= kRecords; r += 10) {
        check(t->goTo(r));
        check(t->deleteRecord());
      }
      check(t->commit());
    }
    auto t = openAppointments(base, false);
    state.ResumeTiming();
    check(t->pack());
    state.PauseTiming();
    if (t->table().recCount() != kRecords - kRecords / 10) throw std::runtime_error("pack");
    check(t->close());
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Pack_TenPercentDeleted)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
