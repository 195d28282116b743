#include "store/base/file_stamp.h"

#include <gtest/gtest.h>

#include "support/test_dir.h"

namespace zrv {
namespace {

// qlFileUpdate reports a change once; a missing file counts as changed every time.
TEST(FileStamp, QlFileUpdateSeesEachChangeOnce) {
  test::TestDir dir;
  const auto file = dir.write("USERLIST.DBF", "a");
  Date date;
  std::string time;
  EXPECT_TRUE(qlFileUpdate(file, date, time));
  EXPECT_FALSE(date.empty());
  EXPECT_FALSE(qlFileUpdate(file, date, time));
  std::filesystem::last_write_time(file,
                                   std::filesystem::last_write_time(file) - std::chrono::hours(25));
  EXPECT_TRUE(qlFileUpdate(file, date, time));
  EXPECT_FALSE(qlFileUpdate(file, date, time));
  std::filesystem::remove(file);
  EXPECT_TRUE(qlFileUpdate(file, date, time));
  EXPECT_TRUE(qlFileUpdate(file, date, time));
  EXPECT_TRUE(date.empty());
}

}  // namespace
}  // namespace zrv
