#include "store/base/date.h"

#include <gtest/gtest.h>

namespace zrv {
namespace {

TEST(Date, EmptySortsFirstAndFormatsBlank) {
  const Date empty;
  const Date d = *Date::fromYmd(2024, 3, 15);
  EXPECT_LT(empty, d);
  EXPECT_EQ(empty.dtos(), "        ");
  EXPECT_EQ(empty.toDisplay(), "");
  EXPECT_EQ(empty.dow(), 0);
  EXPECT_TRUE((empty + 3).empty());
}

TEST(Date, RoundTripsThroughStoredAndDisplayForms) {
  const Date d = *Date::fromYmd(2024, 2, 29);
  EXPECT_EQ(d.dtos(), "20240229");
  EXPECT_EQ(d.toDisplay(), "29.02.2024");
  EXPECT_EQ(Date::fromDtos("20240229"), d);
  EXPECT_EQ(Date::fromDisplay("29.02.2024"), d);
  EXPECT_TRUE(Date::fromDtos("20230229").empty());
  EXPECT_TRUE(Date::fromDisplay("ab.cd.efgh").empty());
  EXPECT_FALSE(Date::fromYmd(2023, 13, 1));
}

TEST(Date, ArithmeticAndWeekdays) {
  const Date d = *Date::fromYmd(2024, 12, 31);
  EXPECT_EQ((d + 1).toDisplay(), "01.01.2025");
  EXPECT_EQ((*Date::fromYmd(2024, 3, 1) - *Date::fromYmd(2024, 2, 1)), 29);
  EXPECT_EQ(Date::fromYmd(2024, 3, 17)->dow(), 1);   // a Sunday
  EXPECT_EQ(Date::fromYmd(2024, 3, 16)->dow(), 7);   // a Saturday
  EXPECT_EQ(Date::fromYmd(1969, 12, 31)->dow(), 4);  // before the serial's origin
}

// A table's "YYYYMMDD" holds the years 1 to 9999: no arithmetic leads out of them.
TEST(Date, ArithmeticStaysWithinTheYearsOneTo9999) {
  const Date last = *Date::fromYmd(9999, 12, 31), first = *Date::fromYmd(1, 1, 1);
  EXPECT_EQ((last - 1).dtos(), "99991230");
  EXPECT_TRUE((last + 1).empty());
  EXPECT_TRUE((last + 10).empty());
  EXPECT_TRUE((first - 1).empty());
  EXPECT_EQ((first + (last - first)), last);
  EXPECT_TRUE((first + 0x7fffffffffffffffL).empty());
  EXPECT_TRUE(Date::fromSerial(last.serial() + 1).empty());
}

}  // namespace
}  // namespace zrv
