// The run marker: held for the whole run, so that a second copy in the same program directory
// learns of the first before it touches anything; a marker left unlocked tells of an unclean end.
#include "app/run_marker.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "store/base/file_ops.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

TEST(RunMarker, ASecondCopyFindsItLockedAndChangesNothing) {
  test::TestDir dir;
  auto first = RunMarker::take(dir.path());
  ASSERT_TRUE(first.isOk()) << first.message();
  EXPECT_FALSE(first->stale());
  dir.write("Zorvane.Run", "written by the first copy");
  // The second copy is another process.
  const pid_t pid = ::fork();
  if (pid == 0) {
    const auto second = RunMarker::take(dir.path());
    ::_exit(second.code() == StatusCode::kLocked ? 0 : 1);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(dir.read("Zorvane.Run"), "written by the first copy");
}

TEST(RunMarker, AMarkerLeftUnlockedTellsOfAnUncleanEnd) {
  test::TestDir dir;
  { auto crashed = RunMarker::take(dir.path()); }  // the run ended without removing it
  auto next = RunMarker::take(dir.path());
  ASSERT_TRUE(next.isOk()) << next.message();
  EXPECT_TRUE(next->stale());
}

// A power failure right after the start must not take the new marker away: the next start
// needs it to check the table's indexes.
TEST(RunMarker, ANewMarkerIsOnDiskBeforeTheRunGoesOn) {
  struct Syncs : FileOps {
    std::vector<std::filesystem::path> dirs;
    Status syncDirectory(const std::filesystem::path& dir) override {
      dirs.push_back(dir);
      return FileOps::syncDirectory(dir);
    }
  } syncs;
  FileOpsOverride use(syncs);
  test::TestDir dir;
  { auto first = RunMarker::take(dir.path()); }
  EXPECT_EQ(syncs.dirs, std::vector<std::filesystem::path>{dir.path()});
  auto again = RunMarker::take(dir.path());  // the marker is there already: nothing to sync
  EXPECT_EQ(syncs.dirs.size(), 1u);
}

}  // namespace
}  // namespace zrv
