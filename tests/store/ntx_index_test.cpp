// NTX indexes on a table: multi-level trees stay sorted and balanced through many inserts,
// changes and removals (checked against a sorted reference and by an independent walker),
// seeking, conditions with date(), and the header texts other programs read.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <sstream>
#include <tuple>

#include "store/base/file_io.h"
#include "store/xbase/table.h"
#include "store_test_support.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

using test::must;

// Keys of 100 bytes give pages of 8 keys, so a few thousand records make deep trees.
const Structure kFields = {{"KEY", 'C', 100, 0}, {"QUIT", 'L', 1, 0}, {"DAY", 'D', 8, 0}};

struct Row {
  Row() = default;
  explicit Row(std::string k, bool q = false, bool d = false, Date dd = Date())
      : key(std::move(k)), quit(q), deleted(d), day(dd) {}
  std::string key;
  bool quit = false;
  bool deleted = false;
  Date day;
};

class NtxIndexTest : public ::testing::Test {
 protected:
  test::TestDir dir;
  FixedClock clock{"15.03.2024", "10:00"};
  std::filesystem::path file = dir / "ITEMS.DBF";
  std::map<std::uint32_t, Row> rows;  // the reference

  std::unique_ptr<Table> create() {
    must(Table::create(file, kFields, clock));
    return test::openTable(file, clock);
  }

  void put(Table& t, std::uint32_t recno, const Row& row) {
    if (recno == 0) {
      must(t.append());
      recno = t.recNo();
    } else {
      must(t.goTo(recno));
    }
    must(t.setString("KEY", row.key));
    must(t.setLogical("QUIT", row.quit));
    must(t.setDate("DAY", row.day));
    must(t.flush());
    rows[recno] = row;
  }

  // (key, record) of the live records the condition admits, in index order.
  std::vector<std::pair<std::string, std::uint32_t>> expected(bool onlyOpen) const {
    std::vector<std::pair<std::string, std::uint32_t>> v;
    for (const auto& [recno, row] : rows) {
      if (!row.deleted && !(onlyOpen && row.quit)) v.emplace_back(row.key, recno);
    }
    std::sort(v.begin(), v.end());
    return v;
  }

  std::vector<std::pair<std::string, std::uint32_t>> forward(Table& t) {
    std::vector<std::pair<std::string, std::uint32_t>> v;
    for (must(t.goTop()); !t.eof(); must(t.skip())) {
      v.emplace_back(must(t.getString("KEY")), t.recNo());
    }
    return v;
  }

  std::vector<std::pair<std::string, std::uint32_t>> backward(Table& t) {
    std::vector<std::pair<std::string, std::uint32_t>> v;
    for (must(t.goBottom()); !t.eof();) {
      v.emplace_back(must(t.getString("KEY")), t.recNo());
      must(t.skip(-1));
      if (t.bof()) break;
    }
    std::reverse(v.begin(), v.end());
    return v;
  }

  // The independent walker's view: depth and every entry (deleted records keep theirs).
  std::pair<int, std::vector<std::pair<std::string, std::uint32_t>>> walk(
      const std::filesystem::path& ntx) {
    const auto r = test::runPython("ntx_walk.py", test::quoted(ntx));
    EXPECT_EQ(r.exitCode, 0) << r.out;
    std::istringstream in(r.out);
    std::string line;
    int depth = 0;
    std::vector<std::pair<std::string, std::uint32_t>> entries;
    while (std::getline(in, line)) {
      if (line.rfind("depth ", 0) == 0) depth = std::stoi(line.substr(6));
      const auto bar = line.rfind('|');
      if (bar == std::string::npos || line.rfind("key ", 0) == 0 || line.rfind("for ", 0) == 0) {
        continue;
      }
      std::string key = line.substr(0, bar);
      key.erase(key.find_last_not_of(' ') + 1);
      entries.emplace_back(key, static_cast<std::uint32_t>(std::stoul(line.substr(bar + 1))));
    }
    return {depth, entries};
  }

  std::vector<std::pair<std::string, std::uint32_t>> allKeys(bool onlyOpen) const {
    std::vector<std::pair<std::string, std::uint32_t>> v;
    for (const auto& [recno, row] : rows) {
      if (!(onlyOpen && row.quit)) v.emplace_back(row.key, recno);
    }
    std::sort(v.begin(), v.end());
    return v;
  }
};

TEST_F(NtxIndexTest, ManyChangesKeepDeepTreesSortedAndBalanced) {
  auto t = create();
  std::mt19937 rng(20240315);
  auto randomKey = [&] {
    // few distinct values: plenty of equal keys
    return std::string(1, static_cast<char>('A' + rng() % 20)) + std::to_string(rng() % 40);
  };
  for (int i = 0; i < 400; ++i)
    put(*t, 0, Row{randomKey(), rng() % 4 == 0});
  ASSERT_OK(t->createIndexes({{dir / "ALL.NTX", {"KEY", "", false, {}}},
                              {dir / "OPEN.NTX", {"KEY", ".not. QUIT", false, {}}}}));
  for (int step = 0; step < 3000; ++step) {
    const int what = static_cast<int>(rng() % 10);
    const auto recno = static_cast<std::uint32_t>(1 + rng() % rows.size());
    if (what < 4) {
      put(*t, 0, Row{randomKey(), rng() % 4 == 0});
    } else if (what < 9) {
      Row row = rows[recno];
      if (row.deleted) continue;
      if (what < 7) row.key = randomKey();
      if (what >= 6) row.quit = !row.quit;
      put(*t, recno, row);
    } else if (!rows[recno].deleted) {
      ASSERT_OK(t->goTo(recno));
      ASSERT_OK(t->deleteRecord());
      rows[recno].deleted = true;
    }
  }
  ASSERT_OK(t->setOrder(2));
  EXPECT_EQ(forward(*t), expected(true));
  EXPECT_EQ(backward(*t), expected(true));
  ASSERT_OK(t->setOrder(1));
  EXPECT_EQ(forward(*t), expected(false));
  ASSERT_OK(t->close());

  // The files on their own: an independent walk, and a reopen that maintains them further.
  const auto [depthAll, entriesAll] = walk(dir / "ALL.NTX");
  EXPECT_GE(depthAll, 3);
  EXPECT_EQ(entriesAll, allKeys(false));
  EXPECT_EQ(walk(dir / "OPEN.NTX").second, allKeys(true));
  t = test::openTable(file, clock);
  ASSERT_OK(t->openIndex(dir / "ALL.NTX"));
  ASSERT_OK(t->openIndex(dir / "OPEN.NTX"));
  for (int i = 0; i < 200; ++i) {
    const auto recno = static_cast<std::uint32_t>(1 + rng() % rows.size());
    if (!rows[recno].deleted) put(*t, recno, Row{randomKey(), rng() % 2 == 0});
  }
  ASSERT_OK(t->setOrder(2));
  EXPECT_EQ(forward(*t), expected(true));
  ASSERT_OK(t->close());
  EXPECT_EQ(walk(dir / "OPEN.NTX").second, allKeys(true));
}

TEST_F(NtxIndexTest, BulkBuiltTreesAreFullAndEqualKeysInRecordOrder) {
  auto t = create();
  for (int i = 0; i < 1000; ++i)
    put(*t, 0, Row{"K" + std::to_string((i * 7) % 50)});
  ASSERT_OK(t->createIndex(dir / "K.NTX", {"KEY", "", false, {}}));
  EXPECT_EQ(forward(*t), expected(false));  // ties by record number
  ASSERT_OK(t->close());
  const auto [depth, entries] = walk(dir / "K.NTX");  // also checks every page's fill
  EXPECT_EQ(depth, 4);
  EXPECT_EQ(entries, allKeys(false));
}

TEST_F(NtxIndexTest, SeekExactSoftAndByPrefix) {
  auto t = create();
  for (const char* k : {"Kirsche", "Birne", "Apfel", "Birnbaum", "Birne"})
    put(*t, 0, Row{k});
  ASSERT_OK(t->createIndex(dir / "FRUIT.NTX", {"KEY", "", false, {}}));
  EXPECT_TRUE(must(t->seek("Birne")));
  EXPECT_EQ(t->recNo(), 2u);  // the first of two equal keys
  EXPECT_TRUE(must(t->seek("Bir")));
  EXPECT_EQ(must(t->getString("KEY")), "Birnbaum");
  EXPECT_FALSE(must(t->seek("C")));
  EXPECT_TRUE(t->eof());
  EXPECT_FALSE(must(t->seek("C", true)));
  EXPECT_EQ(must(t->getString("KEY")), "Kirsche");
  EXPECT_FALSE(must(t->seek("Z", true)));
  EXPECT_TRUE(t->eof());
  // A deleted record is passed over: the next equal key is found instead.
  ASSERT_OK(t->goTo(2));
  ASSERT_OK(t->deleteRecord());
  EXPECT_TRUE(must(t->seek("Birne")));
  EXPECT_EQ(t->recNo(), 5u);
  ASSERT_OK(t->setOrder(0));
  EXPECT_EQ(t->seek("Apfel").code(), StatusCode::kInvalidArgument);
}

TEST_F(NtxIndexTest, ConditionWithDateHoldsAsOfTheDayTheKeyWasWritten) {
  auto t = create();
  put(*t, 0, Row{"a", false, false, clock.today()});
  put(*t, 0, Row{"b", false, false, clock.today()});
  put(*t, 0, Row{"c", false, false, clock.today() - 1});
  ASSERT_OK(t->createIndex(dir / "TODAY.NTX", {"KEY", "DAY=date() .and. .not. QUIT", false, {}}));
  auto keys = [&] {
    std::vector<std::string> v;
    for (must(t->goTop()); !t->eof(); must(t->skip()))
      v.push_back(must(t->getString("KEY")));
    return v;
  };
  EXPECT_EQ(keys(), (std::vector<std::string>{"a", "b"}));
  clock.advance(86400);  // the next day: nothing is re-evaluated by itself ...
  EXPECT_EQ(keys(), (std::vector<std::string>{"a", "b"}));
  put(*t, 2,
      Row{"b2", false, false, *Date::fromYmd(2024, 3, 15)});  // ... until a record is written
  put(*t, 3, Row{"c", false, false, clock.today()});
  EXPECT_EQ(keys(), (std::vector<std::string>{"a", "c"}));
}

TEST_F(NtxIndexTest, HeaderKeepsTheTextsAndAReopenedIndexUsesThem) {
  auto t = create();
  for (const char* k : {"beta", "Alpha", "GAMMA"})
    put(*t, 0, Row{k});
  ASSERT_OK(t->createIndex(dir / "U.NTX", {"upper(ITEMS->KEY)", ".not. QUIT", false, {}}));
  ASSERT_OK(t->createIndex(dir / "P.NTX", {"KEY", "", false, {}}));
  ASSERT_OK(t->close());
  const std::string u = *readWholeFile(dir / "U.NTX");
  EXPECT_EQ(u[0], 7);  // Clipper 5 with FOR
  EXPECT_EQ(u.substr(22, 18), std::string("upper(ITEMS->KEY)") + '\0');
  EXPECT_EQ(u.substr(282, 11), std::string(".not. QUIT") + '\0');
  EXPECT_EQ(u[14], 100);                             // key size
  EXPECT_EQ(u[18], 8);                               // max items for key size 100
  EXPECT_EQ((*readWholeFile(dir / "P.NTX"))[0], 6);  // no FOR
  // The file's own expressions win over a fallback given when opening.
  t = test::openTable(file, clock);
  const IndexDef other{"KEY", "", false, {}};
  ASSERT_OK(t->openIndex(dir / "U.NTX", &other));
  EXPECT_EQ(t->indexDef(1).key, "upper(ITEMS->KEY)");
  put(*t, 0, Row{"delta"});
  std::vector<std::string> order;
  for (must(t->goTop()); !t->eof(); must(t->skip()))
    order.push_back(must(t->getString("KEY")));
  EXPECT_EQ(order, (std::vector<std::string>{"Alpha", "beta", "delta", "GAMMA"}));
}

TEST_F(NtxIndexTest, UniqueIndexKeepsTheFirstRecordOfAKey) {
  auto t = create();
  for (const char* k : {"x", "y", "x", "z", "y"})
    put(*t, 0, Row{k});
  ASSERT_OK(t->createIndex(dir / "UNI.NTX", {"KEY", "", true, {}}));
  put(*t, 0, Row{"x"});
  std::vector<std::uint32_t> recnos;
  for (must(t->goTop()); !t->eof(); must(t->skip()))
    recnos.push_back(t->recNo());
  EXPECT_EQ(recnos, (std::vector<std::uint32_t>{1, 2, 4}));
}

}  // namespace
}  // namespace zrv
