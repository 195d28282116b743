#include "store/base/file_io.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "store/base/file_ops.h"
#include "support/test_dir.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;

unsigned modeOf(const fs::path& p) {
  struct stat st {};
  ::stat(p.c_str(), &st);
  return st.st_mode & 0777;
}

TEST(FileIo, ReplacingKeepsPermissionsAndLeavesNoTemporaryFiles) {
  test::TestDir dir;
  const auto file = dir.write("ZORVANE.INI", "alt");
  ::chmod(file.c_str(), 0640);
  ASSERT_TRUE(replaceFileAtomically(file, "neu"));
  EXPECT_EQ(dir.read("ZORVANE.INI"), "neu");
  EXPECT_EQ(modeOf(file), 0640u);
  ASSERT_TRUE(replaceFileAtomically(dir / "NEU.INI", "x", 0600));
  EXPECT_EQ(modeOf(dir / "NEU.INI"), 0600u);
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path()))
    ++entries;
  EXPECT_EQ(entries, 2);
}

// Settings written unchanged keep their file (no rewrite), but still lose rights beyond the mask.
TEST(FileIo, AnUnchangedFileIsNotRewrittenButNarrowed) {
  test::TestDir dir;
  const auto file = dir.write("ZORVANE.INI", "gleich");
  ::chmod(file.c_str(), 0644);
  struct stat before {
  }, after{};
  ::stat(file.c_str(), &before);
  ASSERT_TRUE(replaceFileIfChanged(file, "gleich", 0600, 0600));
  ::stat(file.c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(modeOf(file), 0600u);
  ASSERT_TRUE(replaceFileIfChanged(file, "anders", 0600, 0600));
  EXPECT_EQ(dir.read("ZORVANE.INI"), "anders");
}

TEST(FileIo, AFailedReplacementLeavesTheOldFile) {
  test::TestDir dir;
  EXPECT_FALSE(replaceFileAtomically(dir / "no-such-dir" / "x", "data"));
  const auto file = dir.write("keep.txt", "old");
  fs::create_directory(dir / "target-is-dir");
  dir.write("target-is-dir/inner", "");
  EXPECT_FALSE(replaceFileAtomically(dir / "target-is-dir", "data"));
  EXPECT_FALSE(copyFileAtomically(dir / "missing", file));
  EXPECT_EQ(dir.read("keep.txt"), "old");
}

// A rename that a crash may still undo is no finished replacement.
TEST(FileIo, AReplacementWhoseDirectoryCannotBeSyncedFails) {
  struct NoDirectorySync : FileOps {
    Status syncDirectory(const fs::path& d) override { return status::io(d, "gesichert", EIO); }
  } failing;
  FileOpsOverride use(failing);
  test::TestDir dir;
  EXPECT_FALSE(replaceFileAtomically(dir / "ZORVANE.INI", "neu"));
  EXPECT_FALSE(failing.writeFile(dir / "ZORVANE.SAV", "neu"));
}

TEST(FileIo, ASymbolicLinkStaysAndItsTargetIsReplaced) {
  test::TestDir dir;
  dir.write("real.ini", "old");
  fs::create_symlink(dir / "real.ini", dir / "link.ini");
  ASSERT_TRUE(replaceFileAtomically(dir / "link.ini", "new"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
  EXPECT_EQ(dir.read("real.ini"), "new");
}

// A temporary file names its machine and process, so that a start-up on another workstation of
// a shared directory can tell it is not its own.
TEST(FileIo, TemporaryFilesNameTheirMachineAndProcess) {
  EXPECT_EQ(temporaryHost().find_first_not_of(
                "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._"),
            std::string::npos);
  const auto owner = temporaryOwner("ZORVANE.INI.~" + temporaryHost() + "-4711-3");
  ASSERT_TRUE(owner);
  EXPECT_EQ(owner->host, temporaryHost());
  EXPECT_EQ(owner->pid, 4711);
  EXPECT_FALSE(temporaryOwner("ZORVANE.INI.~4711-3"));  // no machine
  EXPECT_FALSE(temporaryOwner("NOTES.~x-y-1"));
  EXPECT_FALSE(temporaryOwner("ZORVANE.TER"));
}

}  // namespace
}  // namespace zrv
