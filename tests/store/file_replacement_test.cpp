// Replacing a set of files: the quick way for files that can be rebuilt never writes a marker.
#include "store/base/file_replacement.h"

#include <gtest/gtest.h>

#include "store/base/file_ops.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

namespace fs = std::filesystem;

TEST(FileReplacement, QuickCommitRenamesWithoutMarkerOrSync) {
  test::TestDir dir;
  struct Counting : FileOps {
    int writes = 0, syncs = 0;
    Status writeFile(const fs::path& f, std::string_view b) override {
      ++writes;
      return FileOps::writeFile(f, b);
    }
    Status syncDirectory(const fs::path& d) override {
      ++syncs;
      return FileOps::syncDirectory(d);
    }
  } ops;
  FileOpsOverride use(ops);
  dir.write("A.NT1", "alt 1");
  dir.write("A.NT2", "alt 2");
  {
    FileReplacement r(dir / "A.~ix", withSuffixName(".~nx"));
    for (const char* name : {"A.NT1", "A.NT2"}) {
      const fs::path fresh = r.add(dir / name);
      EXPECT_TRUE(ops.writeFile(fresh, std::string("neu ") + name));
    }
    ops.writes = 0;
    ops.syncs = 0;
    EXPECT_TRUE(r.commit(FileReplacement::Durability::kQuick));
  }
  EXPECT_EQ(ops.writes, 0);
  EXPECT_EQ(ops.syncs, 0);
  EXPECT_EQ(dir.read("A.NT1"), "neu A.NT1");
  EXPECT_EQ(dir.read("A.NT2"), "neu A.NT2");
  EXPECT_FALSE(FileReplacement::pending(dir / "A.~ix"));
  EXPECT_FALSE(fs::exists(dir / "A.NT1.~nx"));
}

}  // namespace
}  // namespace zrv
