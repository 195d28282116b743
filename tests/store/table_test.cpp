// The table without indexes: field values of every type through a close and reopen, memos,
// navigation that hides deleted records, and values that do not fit.
#include "store/xbase/table.h"

#include <gtest/gtest.h>

#include "store/base/file_io.h"
#include "store_test_support.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

using test::must;

const Structure kFields = {{"NAME", 'C', 20, 0}, {"AMOUNT", 'N', 7, 2}, {"COUNT", 'N', 3, 0},
                           {"DAY", 'D', 8, 0},   {"FLAG", 'L', 1, 0},   {"NOTE", 'M', 10, 0}};

class TableTest : public ::testing::Test {
 protected:
  test::TestDir dir;
  FixedClock clock{"15.03.2024", "10:00"};
  std::filesystem::path file = dir / "PEOPLE.DBF";

  std::unique_ptr<Table> create() {
    must(Table::create(file, kFields, clock));
    return test::openTable(file, clock);
  }

  void addRecord(Table& t, const std::string& name, double amount, int count, Date day, bool flag,
                 const std::string& note) {
    must(t.append());
    must(t.setString("NAME", name));
    must(t.setNumber("AMOUNT", amount));
    must(t.setNumber("COUNT", count));
    must(t.setDate("DAY", day));
    must(t.setLogical("FLAG", flag));
    must(t.setString("NOTE", note));
  }

  std::vector<std::string> namesInOrder(Table& t) {
    std::vector<std::string> names;
    for (must(t.goTop()); !t.eof(); must(t.skip()))
      names.push_back(must(t.getString("name")));
    return names;
  }
};

TEST_F(TableTest, ValuesOfEveryTypeSurviveCloseAndReopen) {
  {
    auto t = create();
    addRecord(*t, "Müller & Söhne", 3.5, 42, *Date::fromYmd(2024, 2, 29), true,
              "Zeile 1\r\nZeile 2 äöü €");
    addRecord(*t, "", -12.25, 0, Date(), false, "");
    ASSERT_OK(t->commit());
    ASSERT_OK(t->close());
  }
  auto t = test::openTable(file, clock);
  EXPECT_EQ(t->fieldCount(), 6);
  EXPECT_EQ(t->structure(), kFields);
  EXPECT_EQ(t->recCount(), 2u);
  ASSERT_OK(t->goTop());
  EXPECT_EQ(must(t->getString("NAME")), "Müller & Söhne");
  EXPECT_EQ(must(t->getRaw("NAME")), "M\xFCller & S\xF6hne      ");  // stored in Windows-1252
  EXPECT_DOUBLE_EQ(must(t->getNumber("AMOUNT")), 3.5);
  EXPECT_EQ(must(t->getRaw("AMOUNT")), "   3.50");
  EXPECT_EQ(must(t->getRaw("COUNT")), " 42");
  EXPECT_EQ(must(t->getDate("DAY")), *Date::fromYmd(2024, 2, 29));
  EXPECT_TRUE(must(t->getLogical("FLAG")));
  EXPECT_EQ(must(t->getString("NOTE")), "Zeile 1\r\nZeile 2 äöü €");
  ASSERT_OK(t->skip());
  EXPECT_EQ(must(t->getString("NAME")), "");
  EXPECT_DOUBLE_EQ(must(t->getNumber("AMOUNT")), -12.25);
  EXPECT_TRUE(must(t->getDate("DAY")).empty());
  EXPECT_EQ(must(t->getRaw("DAY")), "        ");
  EXPECT_FALSE(must(t->getLogical("FLAG")));
  EXPECT_EQ(must(t->getString("NOTE")), "");
  EXPECT_EQ(must(t->getRaw("NOTE")), std::string(10, ' '));
  EXPECT_EQ(std::get<double>(must(t->get("COUNT"))), 0.0);
}

TEST_F(TableTest, HeaderAndFileEndFollowTheFormat) {
  auto t = create();
  addRecord(*t, "a", 1, 1, Date(), true, "memo");
  ASSERT_OK(t->close());
  const std::string bytes = *readWholeFile(file);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x83);  // with memo file
  EXPECT_EQ(bytes[1], 124);                               // 2024 - 1900
  EXPECT_EQ(bytes[2], 3);
  EXPECT_EQ(bytes[3], 15);
  EXPECT_EQ(bytes[4], 1);  // one record
  const std::size_t headerLength = 32 + 6 * 32 + 1;
  EXPECT_EQ(bytes[headerLength - 1], 0x0D);
  EXPECT_EQ(bytes.back(), 0x1A);
  const std::string memo = *readWholeFile(dir / "PEOPLE.DBT");
  EXPECT_EQ(memo.size(), 1024u);
  EXPECT_EQ(memo.substr(512, 6), "memo\x1A\x1A");
  EXPECT_EQ(bytes.substr(bytes.size() - 11, 10), "         1");
}

TEST_F(TableTest, ChangedMemoGoesToNewBlocksAndOldTextStaysReadable) {
  auto t = create();
  addRecord(*t, "a", 1, 1, Date(), true, std::string(600, 'x'));  // two blocks
  addRecord(*t, "b", 2, 2, Date(), true, "second");
  ASSERT_OK(t->goTo(1));
  ASSERT_OK(t->setString("NOTE", "short"));
  ASSERT_OK(t->commit());
  ASSERT_OK(t->goTo(2));
  EXPECT_EQ(must(t->getString("NOTE")), "second");
  ASSERT_OK(t->goTo(1));
  EXPECT_EQ(must(t->getString("NOTE")), "short");
  EXPECT_EQ(must(t->getRaw("NOTE")), "         4");  // blocks 1-2, 3, then 4
}

TEST_F(TableTest, DeletedRecordsAreHiddenFromEveryMove) {
  auto t = create();
  for (const char* n : {"a", "b", "c", "d", "e"})
    addRecord(*t, n, 0, 0, Date(), false, "");
  for (std::uint32_t r : {1u, 3u, 5u}) {
    ASSERT_OK(t->goTo(r));
    ASSERT_OK(t->deleteRecord());
  }
  EXPECT_EQ(namesInOrder(*t), (std::vector<std::string>{"b", "d"}));
  ASSERT_OK(t->goBottom());
  EXPECT_EQ(t->recNo(), 4u);
  ASSERT_OK(t->skip(-1));
  EXPECT_EQ(t->recNo(), 2u);
  ASSERT_OK(t->skip(-1));
  EXPECT_TRUE(t->bof());
  EXPECT_EQ(t->recNo(), 2u);
  // goTo reaches a deleted record on purpose, and says so.
  ASSERT_OK(t->goTo(3));
  EXPECT_TRUE(t->isDeleted());
  ASSERT_OK(t->recall());
  EXPECT_EQ(namesInOrder(*t), (std::vector<std::string>{"b", "c", "d"}));
  // Deletion reaches the file at once.
  ASSERT_OK(t->close());
  auto again = test::openTable(file, clock);
  EXPECT_EQ(namesInOrder(*again), (std::vector<std::string>{"b", "c", "d"}));
}

TEST_F(TableTest, EmptyTableAndPhantomRecord) {
  auto t = create();
  EXPECT_TRUE(t->eof());
  EXPECT_TRUE(t->bof());
  EXPECT_EQ(t->recNo(), 1u);
  EXPECT_EQ(must(t->getString("NAME")), "");
  EXPECT_EQ(t->setString("NAME", "x").code(), StatusCode::kInvalidArgument);
  addRecord(*t, "a", 0, 0, Date(), false, "");
  ASSERT_OK(t->goTo(7));
  EXPECT_TRUE(t->eof());
  EXPECT_EQ(must(t->getString("NOTE")), "");
}

TEST_F(TableTest, WrongNamesTypesAndOversizedValuesAreRefused) {
  auto t = create();
  addRecord(*t, "a", 0, 0, Date(), false, "");
  EXPECT_EQ(t->getString("NOPE").code(), StatusCode::kInvalidArgument);
  EXPECT_EQ(t->getNumber("NAME").code(), StatusCode::kInvalidArgument);
  EXPECT_EQ(t->setNumber("COUNT", 1000).code(), StatusCode::kInvalidArgument);
  EXPECT_EQ(t->setNumber("AMOUNT", 12345.678).code(), StatusCode::kInvalidArgument);
  EXPECT_OK(t->setNumber("AMOUNT", 9999.99));
  EXPECT_OK(t->setNumber("COUNT", -99));
  EXPECT_OK(t->setString("NAME", std::string(30, 'y')));
  EXPECT_EQ(must(t->getString("NAME")), std::string(20, 'y'));
  EXPECT_OK(t->setString("NAME", "日本"));  // not in Windows-1252
  EXPECT_EQ(must(t->getString("NAME")), "??");
  EXPECT_EQ(Table::create(file, kFields, clock).code(), StatusCode::kExists);
  EXPECT_EQ(Table::create(dir / "bad.dbf", {{"1X", 'C', 5, 0}}, clock).code(),
            StatusCode::kInvalidArgument);
  EXPECT_EQ(Table::create(dir / "bad.dbf", {{"A", 'N', 30, 0}}, clock).code(),
            StatusCode::kInvalidArgument);
  EXPECT_EQ(Table::open(dir / "missing.dbf", clock, {}).status().code(), StatusCode::kMissing);
}

TEST_F(TableTest, ReadingAtAndWalkingAnOrderLeaveTheCurrentRecordAlone) {
  auto t = create();
  addRecord(*t, "Berta", 1, 1, Date(), false, "zweite");
  addRecord(*t, "Anton", 2, 2, Date(), true, "erste");
  addRecord(*t, "Clara", 3, 3, Date(), false, "dritte");
  ASSERT_OK(t->createIndex(dir / "NAME.NTX", {"NAME", "", false, {}}));
  must(t->goTo(3));
  must(t->deleteRecord());
  must(t->goTo(1));
  must(t->setString("NOTE", "geändert, noch nicht geschrieben"));

  const RecordView other = must(t->readAt(2));
  EXPECT_EQ(must(other.getString("NAME")), "Anton");
  EXPECT_EQ(must(other.getString("NOTE")), "erste");
  EXPECT_EQ(must(other.getNumber("COUNT")), 2);
  EXPECT_TRUE(must(other.getLogical("FLAG")));
  EXPECT_FALSE(other.isDeleted());
  EXPECT_TRUE(must(t->readAt(3)).isDeleted());
  // The current record reads with its pending change.
  EXPECT_EQ(must(must(t->readAt(1)).getString("NOTE")), "geändert, noch nicht geschrieben");
  EXPECT_EQ(t->readAt(4).code(), StatusCode::kInvalidArgument);

  EXPECT_EQ(must(t->orderRecnos(1)), (std::vector<std::uint32_t>{2, 1}));
  EXPECT_EQ(must(t->orderRecnos(0)), (std::vector<std::uint32_t>{1, 2}));
  EXPECT_EQ(t->recNo(), 1u);
  EXPECT_EQ(must(t->getString("NOTE")), "geändert, noch nicht geschrieben");
}

TEST_F(TableTest, AKeyRangeWalksItsEntriesOnlyAndLeavesTheCurrentRecordAlone) {
  auto t = create();
  // Enough keys for a tree of several pages, appended out of key order.
  for (int i = 0; i < 300; ++i) {
    const int n = i * 7 % 300;
    addRecord(*t,
              "K" +
                  std::string(n < 10    ? "00"
                              : n < 100 ? "0"
                                        : "") +
                  std::to_string(n),
              n, 0, Date(), false, "");
  }
  ASSERT_OK(t->createIndex(dir / "NAME.NTX", {"NAME", "", false, {}}));
  must(t->goTo(t->recCount()));
  must(t->deleteRecord());  // K293
  must(t->goTo(5));
  const auto names = [&](const std::vector<std::uint32_t>& recnos) {
    std::vector<std::string> out;
    for (std::uint32_t r : recnos)
      out.push_back(must(must(t->readAt(r)).getString("NAME")));
    return out;
  };
  using Names = std::vector<std::string>;
  EXPECT_EQ(names(must(t->orderRange(1, "K148", "K152"))),
            (Names{"K148", "K149", "K150", "K151", "K152"}));
  // Each bound compares over its own length; deleted records are left out.
  EXPECT_EQ(must(t->orderRange(1, "K29", "K29")).size(), 9u);
  EXPECT_EQ(names(must(t->orderRange(1, "K", "K9", 3))), (Names{"K000", "K001", "K002"}));
  EXPECT_TRUE(must(t->orderRange(1, "L", "Z")).empty());
  EXPECT_EQ(t->orderRange(0, "K", "K").code(), StatusCode::kInvalidArgument);
  EXPECT_EQ(t->recNo(), 5u);
}

}  // namespace
}  // namespace zrv
