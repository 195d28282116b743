// Marker files are created empty, emptied when they exist, and found whatever their case.
#include "app/marker_file.h"

#include <gtest/gtest.h>

#include "support/test_dir.h"

namespace zrv {
namespace {

TEST(MarkerFile, CreatesOrEmptiesTheFileWithoutASecondSpelling) {
  test::TestDir dir;
  EXPECT_TRUE(qlMakeSem(dir.path(), "Zorvane.Run"));
  EXPECT_EQ(std::filesystem::file_size(dir / "Zorvane.Run"), 0u);
  dir.write("zorvane.slp", "old contents");
  EXPECT_TRUE(qlMakeSem(dir.path(), "Zorvane.Slp"));
  EXPECT_EQ(std::filesystem::file_size(dir / "zorvane.slp"), 0u);
  EXPECT_FALSE(std::filesystem::exists(dir / "Zorvane.Slp"));
  EXPECT_FALSE(qlMakeSem(dir / "missing", "Zorvane.Run"));
}

}  // namespace
}  // namespace zrv
