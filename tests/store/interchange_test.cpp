// Files written by the engine read correctly with an independent reader (dbfread), and files
// written by an independent writer (python3-dbf) open correctly in the engine.
#include <gtest/gtest.h>

#include "store/xbase/table.h"
#include "store_test_support.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

using test::must;

TEST(Interchange, IndependentReaderSeesWhatTheEngineWrote) {
  test::TestDir dir;
  FixedClock clock("15.03.2024", "10:00");
  const auto file = dir / "OUT.DBF";
  const Structure fields = {{"NAME", 'C', 20, 0}, {"AMOUNT", 'N', 7, 2}, {"COUNT", 'N', 3, 0},
                            {"DAY", 'D', 8, 0},   {"FLAG", 'L', 1, 0},   {"NOTE", 'M', 10, 0}};
  ASSERT_OK(Table::create(file, fields, clock));
  {
    auto t = test::openTable(file, clock);
    auto add = [&](const std::string& name, double amount, int count, Date day, bool flag,
                   const std::string& note) {
      must(t->append());
      must(t->setString("NAME", name));
      must(t->setNumber("AMOUNT", amount));
      must(t->setNumber("COUNT", count));
      must(t->setDate("DAY", day));
      must(t->setLogical("FLAG", flag));
      must(t->setString("NOTE", note));
    };
    add("Müller & Söhne", 3.5, 42, *Date::fromYmd(2024, 2, 29), true, "Zeile 1\r\nZeile 2 äöü €");
    add("gelöscht", -12.25, 7, *Date::fromYmd(1999, 12, 31), false, "weg");
    add("", 0, 0, Date(), false, "");
    add("lang", 1234.5, 999, *Date::fromYmd(2000, 1, 1), true, std::string(1500, 'x'));
    must(t->goTo(2));
    must(t->deleteRecord());
    must(t->goTo(1));
    must(t->setString("NOTE", "geändert"));  // a memo rewritten to new blocks
    ASSERT_OK(t->commit());
  }
  const auto r = test::runPython("dbf_dump.py", test::quoted(file));
  ASSERT_EQ(r.exitCode, 0) << r.out;
  const std::string expected =
      "fields NAME:C:20:0,AMOUNT:N:7:2,COUNT:N:3:0,DAY:D:8:0,FLAG:L:1:0,NOTE:M:10:0\n"
      "count 3 deleted 1\n"
      "record 1\n"
      "NAME=M\\xfcller & S\\xf6hne\nAMOUNT=3.5\nCOUNT=42\nDAY=2024-02-29\nFLAG=T\n"
      "NOTE=ge\\xe4ndert\n"
      "record 2\n"
      "NAME=\nAMOUNT=0\nCOUNT=0\nDAY=None\nFLAG=F\nNOTE=None\n"  // no memo
      "record 3\n"
      "NAME=lang\nAMOUNT=1234.5\nCOUNT=999\nDAY=2000-01-01\nFLAG=T\nNOTE=" +
      std::string(1500, 'x') + "\n";
  EXPECT_EQ(r.out, expected);
}

TEST(Interchange, EngineReadsAndExtendsWhatAnIndependentWriterWrote) {
  test::TestDir dir;
  FixedClock clock("15.03.2024", "10:00");
  const auto file = dir / "IN.DBF";
  const auto w = test::runPython("dbf_write.py", test::quoted(file));
  ASSERT_EQ(w.exitCode, 0) << w.out;
  auto t = test::openTable(file, clock);
  EXPECT_EQ(t->structure(), (Structure{{"NAME", 'C', 20, 0},
                                       {"AMOUNT", 'N', 7, 2},
                                       {"COUNT", 'N', 3, 0},
                                       {"DAY", 'D', 8, 0},
                                       {"FLAG", 'L', 1, 0},
                                       {"NOTE", 'M', 10, 0}}));
  EXPECT_EQ(t->recCount(), 4u);
  ASSERT_OK(t->goTop());
  EXPECT_EQ(must(t->getString("NAME")), "Müller & Söhne");
  EXPECT_DOUBLE_EQ(must(t->getNumber("AMOUNT")), 3.5);
  EXPECT_DOUBLE_EQ(must(t->getNumber("COUNT")), 42);
  EXPECT_EQ(must(t->getDate("DAY")), *Date::fromYmd(2024, 3, 15));
  EXPECT_TRUE(must(t->getLogical("FLAG")));
  EXPECT_EQ(must(t->getString("NOTE")), "Zeile 1\r\nZeile 2 mit Umlauten: äöüß €");
  ASSERT_OK(t->skip());  // record 2 is deleted
  EXPECT_EQ(t->recNo(), 3u);
  EXPECT_EQ(must(t->getString("NAME")), "leer");
  EXPECT_TRUE(must(t->getDate("DAY")).empty());
  EXPECT_EQ(must(t->getString("NOTE")), "");
  ASSERT_OK(t->skip());
  EXPECT_EQ(must(t->getString("NOTE")), std::string(1500, 'x'));
  EXPECT_EQ(must(t->getDate("DAY")), *Date::fromYmd(2000, 2, 29));

  // Appending to the foreign table keeps its memos where they are.
  ASSERT_OK(t->append());
  ASSERT_OK(t->setString("NAME", "neu"));
  ASSERT_OK(t->setString("NOTE", "neues Memo"));
  ASSERT_OK(t->commit());
  ASSERT_OK(t->close());
  const auto r = test::runPython("dbf_dump.py", test::quoted(file));
  ASSERT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(r.out.find("NOTE=Zeile 1\\r\\nZeile 2 mit Umlauten: \\xe4\\xf6\\xfc\\xdf \\u20ac"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("NAME=neu\n"), std::string::npos);
  EXPECT_NE(r.out.find("NOTE=neues Memo\n"), std::string::npos);
  EXPECT_NE(r.out.find("count 4 deleted 1"), std::string::npos);
}

}  // namespace
}  // namespace zrv
