// Copying the records of one table into another of a different structure, as the structure
// upgrade does: fields by name, memos with their text, deleted records left behind.
#include "store/xbase/table_copy.h"

#include <gtest/gtest.h>

#include "store_test_support.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

using test::must;

TEST(TableCopy, FieldsMatchedByNameMemosCopiedDeletedRecordsLeftBehind) {
  test::TestDir dir;
  FixedClock clock("15.03.2024", "10:00");
  ASSERT_OK(Table::create(dir / "OLD.TER",
                          {{"TEXT", 'M', 10, 0},
                           {"TIME", 'C', 5, 0},
                           {"WARNMIN", 'N', 3, 0},
                           {"NOTE", 'C', 30, 0},
                           {"GONE", 'L', 1, 0},
                           {"DATE", 'D', 8, 0}},
                          clock));
  ASSERT_OK(Table::create(dir / "NEW.TER",
                          {{"DATE", 'D', 8, 0},
                           {"TIME", 'C', 5, 0},
                           {"TEXT", 'M', 10, 0},
                           {"WARNMIN", 'N', 4, 0},
                           {"NOTE", 'M', 10, 0},
                           {"EMAIL", 'C', 20, 0},
                           {"GONE", 'N', 1, 0}},
                          clock));
  auto from = test::openTable(dir / "OLD.TER", clock);
  for (int i = 0; i < 5; ++i) {
    ASSERT_OK(from->append());
    ASSERT_OK(from->setString("TEXT", "Termin " + std::to_string(i) + "\r\nmit Ärger"));
    ASSERT_OK(from->setString("TIME", "0" + std::to_string(i) + ":15"));
    ASSERT_OK(from->setNumber("WARNMIN", i * 10));
    ASSERT_OK(from->setString("NOTE", "Notiz " + std::to_string(i)));
    ASSERT_OK(from->setLogical("GONE", true));
    ASSERT_OK(from->setDate("DATE", clock.today() + i));
    if (i == 2) ASSERT_OK(from->deleteRecord());
  }
  auto to = test::openTable(dir / "NEW.TER", clock);
  EXPECT_EQ(must(appendFrom(*to, *from)), 4);
  ASSERT_OK(to->commit());
  std::vector<int> seen;
  for (must(to->goTop()); !to->eof(); must(to->skip())) {
    const int i = std::stoi(must(to->getString("TIME")).substr(1, 1));
    seen.push_back(i);
    EXPECT_EQ(must(to->getString("TEXT")), "Termin " + std::to_string(i) + "\r\nmit Ärger");
    EXPECT_DOUBLE_EQ(must(to->getNumber("WARNMIN")), i * 10);
    EXPECT_EQ(must(to->getString("NOTE")), "Notiz " + std::to_string(i));  // C into M
    EXPECT_EQ(must(to->getDate("DATE")), clock.today() + i);
    EXPECT_EQ(must(to->getString("EMAIL")), "");       // not in the old table
    EXPECT_DOUBLE_EQ(must(to->getNumber("GONE")), 0);  // another type: left empty
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 3, 4}));
}

}  // namespace
}  // namespace zrv
