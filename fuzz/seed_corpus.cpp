// Writes the seed corpora of the storage fuzz targets into <dir>/<target>/: tables, memo files
// and indexes made by the engine itself, so that the fuzzer starts from valid files.
#include <cstdio>
#include <cstring>

#include "fuzz_scratch.h"
#include "store/appointments/appointment_record.h"
#include "store/appointments/appointment_table.h"
#include "store/xbase/memo_file.h"
#include "store/xbase/xbase_layout.h"

namespace fs = std::filesystem;
using namespace zrv;

namespace {

void must(const Status& s) {
  if (!s) {
    std::fprintf(stderr, "%s\n", s.message().c_str());
    std::exit(1);
  }
}

std::unique_ptr<Table> openExclusive(const fs::path& p) {
  Table::Options o;
  o.mode = OpenMode::kExclusive;
  auto t = Table::open(p, fuzz::fuzzClock(), o);
  must(t.status());
  return std::move(*t);
}

void tableSeeds(const fs::path& out, const fs::path& work) {
  // The appointment table with a few appointments.
  const fs::path base = work / "SEED";
  must(Table::create(appointmentTableFile(base), terStruct(), fuzz::fuzzClock()));
  {
    auto t = openExclusive(appointmentTableFile(base));
    for (int i = 0; i < 3; ++i) {
      Appointment a;
      a.DATE = a.TDATE = fuzz::fuzzClock().today() + i;
      a.TIME = a.TTIME = "0" + std::to_string(i + 7) + ":30";
      a.TEXT = "Termin " + std::to_string(i);
      a.VORLAGE = i + 1;
      must(t->append());
      must(writeAppointment(*t, a));
    }
    must(t->close());
  }
  fs::copy_file(appointmentTableFile(base), out / "appointments.dbf",
                fs::copy_options::overwrite_existing);
  // A table of every type without memos, with a deleted record.
  const fs::path plain = work / "plain.dbf";
  must(Table::create(plain,
                     {{"C", 'C', 12, 0}, {"N", 'N', 8, 3}, {"D", 'D', 8, 0}, {"L", 'L', 1, 0}},
                     fuzz::fuzzClock()));
  {
    auto t = openExclusive(plain);
    for (int i = 0; i < 4; ++i) {
      must(t->append());
      must(t->setString("C", "Wert " + std::to_string(i)));
      must(t->setNumber("N", i * 1.25 - 2));
      must(t->setDate("D", fuzz::fuzzClock().today() - i));
      must(t->setLogical("L", i % 2));
    }
    must(t->deleteRecord());
    must(t->close());
  }
  fs::copy_file(plain, out / "plain.dbf", fs::copy_options::overwrite_existing);
}

void memoSeeds(const fs::path& out, const fs::path& work) {
  const fs::path file = work / "memo.dbf";
  must(Table::create(file, fuzz::memoFields(), fuzz::fuzzClock()));
  auto t = openExclusive(file);
  std::string pointers;
  for (int r = 0; r < 8; ++r) {
    must(t->append());
    must(t->setString("NOTE", r % 3 ? std::string(r * 150, 'a' + r) + "\r\nEnde" : ""));
    must(t->flush());
    const auto block = parseMemoBlock(*t->getRaw("NOTE"));
    char b[4];
    xbase::put32(b, block ? *block : 0);
    pointers.append(b, 4);
  }
  must(t->close());
  fuzz::writeFile(out / "memos", pointers + *readWholeFile(work / "memo.dbt"));
  fuzz::writeFile(out / "truncated", pointers + readWholeFile(work / "memo.dbt")->substr(0, 900));
}

void indexSeeds(const fs::path& out, const fs::path& work) {
  const fs::path table = work / "I.DBF";
  fuzz::writeFile(table, fuzz::indexedTable());
  auto t = openExclusive(table);
  must(t->createIndexes({{work / "a.ntx", fuzz::indexKey()}, {work / "b.ntx", fuzz::numberKey()}}));
  must(t->close());
  fs::copy_file(work / "a.ntx", out / "for-condition.ntx", fs::copy_options::overwrite_existing);
  fs::copy_file(work / "b.ntx", out / "expression-key.ntx", fs::copy_options::overwrite_existing);
}

// Recipes of the journal target (its input describes transactions, see journal_fuzz.cpp), and
// one journal as a crash leaves it, taken raw (first byte 0x80).
void journalSeeds(const fs::path& out, const fs::path& work) {
  fuzz::writeFile(out / "three-appends", std::string("\x00\x05\x00\x03\x02\x00\x00\x44\x04rec1"
                                                     "\x01\x00\x00\x08\x02\x00\x04\x00\x00\x00\x00",
                                                     25));
  fuzz::writeFile(out / "foreign-and-torn", std::string("\x05\x09\x01\x02\x01\x00\x01\x00\x05"
                                                        "abcde",
                                                        15));
  // Named as the fuzz target's table, so that the records name the files it has.
  fs::create_directories(work / "journal");
  const fs::path table = work / "journal" / "I.DBF";
  fuzz::writeFile(table, fuzz::indexedTable());
  auto t = openExclusive(table);
  must(t->createIndex(work / "journal" / "I.NTX", fuzz::indexKey()));
  for (int i = 0; i < 3; ++i) {
    must(t->append());
    must(t->setString("NAME", "j" + std::to_string(i)));
    must(t->commit());
  }
  must(t->goTo(5));
  must(t->setNumber("NUM", 99));
  must(t->commit());
  const std::string bytes = *readWholeFile(work / "journal" / "I.DBF.~jn");
  fuzz::writeFile(out / "appends-and-change", "\x80" + bytes.substr(0, 16384));
  must(t->close());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: seed_corpus DIR\n");
    return 2;
  }
  const fs::path root = argv[1];
  const fs::path work = fuzz::scratchDir() / "seeds";
  fs::remove_all(work);
  fs::create_directories(work);
  for (const char* target : {"table_fuzz", "memo_fuzz", "index_fuzz", "journal_fuzz"}) {
    fs::create_directories(root / target);
  }
  tableSeeds(root / "table_fuzz", work);
  memoSeeds(root / "memo_fuzz", work);
  indexSeeds(root / "index_fuzz", work);
  journalSeeds(root / "journal_fuzz", work);
  fs::remove_all(fuzz::scratchDir());
  return 0;
}
