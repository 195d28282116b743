// Parameter texts split into program arguments the way a user types them.
#include "platform/command_line.h"

#include <gtest/gtest.h>

namespace zrv {
namespace {

using Args = std::vector<std::string>;

TEST(SplitParameters, BlanksSeparateAndQuotesGroup) {
  EXPECT_EQ(splitParameters(""), Args{});
  EXPECT_EQ(splitParameters("   "), Args{});
  EXPECT_EQ(splitParameters("  -q   --fast "), (Args{"-q", "--fast"}));
  EXPECT_EQ(splitParameters("\"Meine Datei.txt\" -v"), (Args{"Meine Datei.txt", "-v"}));
  EXPECT_EQ(splitParameters("--name=\"a b\"c"), (Args{"--name=a bc"}));
  EXPECT_EQ(splitParameters("\"\" x"), (Args{"", "x"}));
  EXPECT_EQ(splitParameters("a\tb"), (Args{"a", "b"}));
}

TEST(SplitParameters, BackslashesStayAndAnOpenQuoteRunsToTheEnd) {
  EXPECT_EQ(splitParameters("C:\\Temp\\x.txt"), (Args{"C:\\Temp\\x.txt"}));
  EXPECT_EQ(splitParameters("\"ab cd"), (Args{"ab cd"}));
  EXPECT_EQ(splitParameters("Grüße \"an Jürgen\""), (Args{"Grüße", "an Jürgen"}));
}

}  // namespace
}  // namespace zrv
