// The table name of a user: the surname in upper case with its umlauts spelt out, cut to eight
// characters, and always a plain file name of the program directory.
#include "network/user_names.h"

#include <gtest/gtest.h>

namespace zrv {
namespace {

TEST(ChkUmlaut, TheSurnameSpeltOutAndCut) {
  EXPECT_EQ(chkUmlaut("Gerda Müller"), "MUELLER");
  EXPECT_EQ(chkUmlaut("Anna Schönberger"), "SCHOENBE");
  EXPECT_EQ(chkUmlaut("Jürgen Weiß"), "WEISS");  // the first name does not shift the result
  EXPECT_EQ(chkUmlaut("gerda müller  "), chkUmlaut("GERDA MÜLLER"));
  EXPECT_EQ(chkUmlaut("Ärztekammerpräsident"), "AERZTEKA");  // one word: its first 8
  EXPECT_EQ(chkUmlaut(""), "ZORVANE");
}

TEST(ChkUmlaut, ANameNeverLeadsOutOfTheProgramDirectory) {
  EXPECT_EQ(chkUmlaut("../x"), "..X");
  EXPECT_EQ(chkUmlaut("Max ../../x"), "....X");
  EXPECT_EQ(chkUmlaut("Max a:b*c?\"<d>|e\\f\t"), "ABCDEF");
  EXPECT_EQ(chkUmlaut("Max .."), "ZORVANE");
  EXPECT_EQ(chkUmlaut("Max //"), "ZORVANE");
  EXPECT_TRUE(plainUserFile("MUELLER"));
  for (const char* bad : {"", ".", "..", "../X", "A/B", "C:X"})
    EXPECT_FALSE(plainUserFile(bad)) << bad;
}

}  // namespace
}  // namespace zrv
