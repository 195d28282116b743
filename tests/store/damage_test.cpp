// Damaged files: truncated, garbled or mis-pointed bytes of real tables, memo files and
// indexes give a clear German message and are never written to; a damaged index is rebuilt
// when the caller knows what it should hold. Random damage never crashes the engine.
#include <gtest/gtest.h>

#include <random>

#include "store/base/file_io.h"
#include "store/xbase/table.h"
#include "store/xbase/xbase_layout.h"
#include "store_test_support.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

using test::must;

const Structure kFields = {{"NAME", 'C', 10, 0}, {"NUM", 'N', 4, 0}, {"NOTE", 'M', 10, 0}};

class DamageTest : public ::testing::Test {
 protected:
  test::TestDir dir;
  FixedClock clock{"15.03.2024", "10:00"};
  std::filesystem::path file = dir / "ZORVANE.TER";
  std::filesystem::path memo = dir / "ZORVANE.DBT";
  std::filesystem::path index = dir / "ZORVANE.NT1";
  const IndexDef def{"NAME", "NUM > 0", false, {}};

  void SetUp() override {
    must(Table::create(file, kFields, clock));
    auto t = test::openTable(file, clock);
    for (int i = 0; i < 300; ++i) {
      must(t->append());
      must(t->setString("NAME", "n" + std::to_string(i * 37 % 300)));
      must(t->setNumber("NUM", i % 7));
      must(t->setString("NOTE", "Notiz " + std::to_string(i)));
    }
    must(t->createIndex(index, def));
    must(t->close());
  }

  static void patch(const std::filesystem::path& p, std::size_t at, std::string_view bytes) {
    std::string all = *readWholeFile(p);
    all.replace(at, bytes.size(), bytes);
    ASSERT_TRUE(replaceFileAtomically(p, all));
  }
  static void cut(const std::filesystem::path& p, std::size_t size) {
    std::filesystem::resize_file(p, size);
  }

  // Opening fails with kCorrupt naming the file, and leaves every byte of it alone.
  void expectRefused(const std::string& says) {
    const std::string before = *readWholeFile(file);
    const auto modified = std::filesystem::last_write_time(file);
    for (OpenMode mode : {OpenMode::kExclusive, OpenMode::kShared}) {
      Table::Options o;
      o.mode = mode;
      auto r = Table::open(file, clock, o);
      ASSERT_FALSE(r);
      EXPECT_EQ(r.code(), StatusCode::kCorrupt) << r.message();
      EXPECT_EQ(r.message().rfind("Die Datei ZORVANE.TER ist beschädigt: ", 0), 0u) << r.message();
      EXPECT_NE(r.message().find(says), std::string::npos) << r.message();
    }
    EXPECT_EQ(*readWholeFile(file), before);
    EXPECT_EQ(std::filesystem::last_write_time(file), modified);
  }
};

TEST_F(DamageTest, DamagedTableHeadersAreReportedAndLeftAlone) {
  const std::string original = *readWholeFile(file);
  cut(file, original.size() - 100);
  expectRefused("kürzer als ihre 300 Datensätze");
  ASSERT_TRUE(replaceFileAtomically(file, original));
  patch(file, 10, std::string("\x07\x00", 2));  // record length
  expectRefused("Datensatzlänge");
  ASSERT_TRUE(replaceFileAtomically(file, original));
  patch(file, 8, std::string("\xFF\x7F", 2));  // header length beyond the file's head
  expectRefused("Länge des Dateikopfs");
  ASSERT_TRUE(replaceFileAtomically(file, original));
  patch(file, 32, std::string("N@ME", 4));
  expectRefused("Feldname");
  ASSERT_TRUE(replaceFileAtomically(file, original));
  patch(file, 32 + 16, "\x05");  // width of NAME no longer matches the record length
  expectRefused("Datensatzlänge");
  ASSERT_TRUE(replaceFileAtomically(file, original));
  cut(file, 20);
  expectRefused("Dateikopf fehlt");
  ASSERT_TRUE(replaceFileAtomically(file, original));
  patch(file, 0, "\x42");
  expectRefused("unbekannte Dateiversion 0x42");
  ASSERT_TRUE(replaceFileAtomically(file, original));
  patch(file, 0, "\xF5");  // a FoxPro table: valid, but not for this engine
  EXPECT_EQ(Table::open(file, clock, {}).code(), StatusCode::kUnsupported);
}

TEST_F(DamageTest, DamagedMemosAreReportedPerRecord) {
  const std::size_t headerLength = 32 + 3 * 32 + 1, recordLength = 25;
  auto memoField = [&](std::uint32_t recno) {
    return headerLength + (recno - 1) * recordLength + 15;
  };
  patch(file, memoField(2), "    999999");  // beyond the memo file
  patch(file, memoField(3), "   12x4567");  // not a number
  cut(memo, std::filesystem::file_size(memo) - 600);
  const std::string memoBefore = *readWholeFile(memo);
  auto t = test::openTable(file, clock);
  ASSERT_OK(t->goTo(1));
  EXPECT_EQ(must(t->getString("NOTE")), "Notiz 0");
  ASSERT_OK(t->goTo(2));
  auto beyond = t->getString("NOTE");
  EXPECT_EQ(beyond.code(), StatusCode::kCorrupt);
  EXPECT_EQ(beyond.message(),
            "Die Datei ZORVANE.DBT ist beschädigt: das Memo in Block 999999 fehlt.");
  ASSERT_OK(t->goTo(3));
  EXPECT_EQ(t->getString("NOTE").message(),
            "Die Datei ZORVANE.TER ist beschädigt: Datensatz 3 hat einen ungültigen Memoverweis.");
  ASSERT_OK(t->goTo(300));  // its memo was cut off with the end of the file
  EXPECT_EQ(t->getString("NOTE").code(), StatusCode::kCorrupt);
  EXPECT_EQ(must(t->getString("NAME")), "n" + std::to_string(299 * 37 % 300));
  // A pack must not lose what it cannot read: it stops and changes nothing.
  const std::string tableBefore = *readWholeFile(file);
  EXPECT_EQ(t->pack().code(), StatusCode::kCorrupt);
  EXPECT_EQ(*readWholeFile(file), tableBefore);
  // New memos go behind everything the file holds, even when its header says otherwise.
  ASSERT_OK(t->goTo(1));
  ASSERT_OK(t->setString("NOTE", "neu"));
  ASSERT_OK(t->commit());
  EXPECT_EQ(readWholeFile(memo)->substr(0, memoBefore.size()).substr(512), memoBefore.substr(512));
  EXPECT_EQ(must(t->getString("NOTE")), "neu");
  ASSERT_OK(t->close());
  std::filesystem::remove(memo);
  EXPECT_EQ(Table::open(file, clock, {}).code(), StatusCode::kMissing);
}

TEST_F(DamageTest, DamagedIndexIsRebuiltWhenItsContentIsKnownAndReportedOtherwise) {
  const std::string original = *readWholeFile(index);
  const auto with = [](std::string b, std::size_t at, char c) { return b.replace(at, 1, 1, c); };
  struct Damage {
    const char* what;
    std::function<std::string(std::string)> apply;
  };
  const std::vector<Damage> damages = {
      {"root beyond the end", [&](std::string b) { return with(b, 6, 0x7F); }},
      {"count above max", [&](std::string b) { return with(b, 2048, 0x7F); }},
      {"truncated", [](std::string b) { return b.substr(0, b.size() - 1500); }},
      {"foreign signature", [&](std::string b) { return with(with(b, 0, 0x19), 1, 0x42); }},
      {"unreadable key", [&](std::string b) { return with(b, 22, '@'); }},
      {"slot outside the page",
       [&](std::string b) { return with(with(b, 1024 + 2, '\xFF'), 1024 + 3, 0x03); }},
      // the key of slot 0 in page 1
      {"keys out of order", [&](std::string b) { return with(b, 1024 + 2 + 2 * 51 + 8, '~'); }},
  };
  for (const Damage& d : damages) {
    ASSERT_TRUE(replaceFileAtomically(index, d.apply(original)));
    std::vector<std::string> notes;
    Table::Options o;
    o.mode = OpenMode::kExclusive;
    o.onNote = [&](const std::string& n) { notes.push_back(n); };
    auto t = must(Table::open(file, clock, o));
    const Status without = t->openIndex(index);
    EXPECT_FALSE(without) << d.what;
    EXPECT_TRUE(without.code() == StatusCode::kCorrupt ||
                without.code() == StatusCode::kUnsupported ||
                without.code() == StatusCode::kBadExpression)
        << d.what << ": " << without.message();
    EXPECT_EQ(t->orderCount(), 0);
    ASSERT_OK(t->openIndex(index, &def));
    ASSERT_EQ(notes.size(), 1u) << d.what;
    EXPECT_EQ(notes[0].rfind("Der Index ZORVANE.NT1 wurde neu aufgebaut: ", 0), 0u) << notes[0];
    std::size_t count = 0;
    std::string last;
    for (must(t->goTop()); !t->eof(); must(t->skip())) {
      const std::string name = must(t->getString("NAME"));
      EXPECT_LE(last, name);
      last = name;
      ++count;
    }
    EXPECT_EQ(count, 300u - 300u / 7 - 1) << d.what;  // records with NUM > 0
  }
}

TEST_F(DamageTest, RandomDamageNeverCrashes) {
  std::mt19937 rng(7);
  const std::string table = *readWholeFile(file), memoBytes = *readWholeFile(memo),
                    indexBytes = *readWholeFile(index);
  for (int round = 0; round < 150; ++round) {
    std::string t = table, m = memoBytes, x = indexBytes;
    for (std::string* target : {&t, &m, &x}) {
      const int flips = static_cast<int>(rng() % 12);
      for (int i = 0; i < flips; ++i)
        (*target)[rng() % target->size()] = static_cast<char>(rng());
      if (rng() % 5 == 0) target->resize(rng() % target->size());
    }
    dir.write("ZORVANE.TER", t);
    dir.write("ZORVANE.DBT", m);
    dir.write("ZORVANE.NT1", x);
    Table::Options o;
    o.mode = OpenMode::kExclusive;
    auto opened = Table::open(file, clock, o);
    if (!opened) {
      EXPECT_FALSE(opened.message().empty());
      continue;
    }
    Table& tb = **opened;
    (void)tb.openIndex(index, round % 2 ? &def : nullptr);
    for (int i = 0; i < 40 && !tb.eof(); ++i) {
      (void)tb.getString("NOTE");
      (void)tb.getNumber("NUM");
      if (!tb.skip(i % 3 == 0 ? -1 : 1)) break;
    }
    (void)tb.seek("n1", true);
  }
}

}  // namespace
}  // namespace zrv
