#include "store/base/file_names.h"

#include <gtest/gtest.h>

#include "support/test_dir.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;

TEST(FileNames, FindsAFileWhateverTheCaseOfEitherName) {
  test::TestDir dir;
  dir.write("zorvane.ter", "x");
  EXPECT_EQ(findFile(dir.path(), "ZORVANE.TER"), dir / "zorvane.ter");
  EXPECT_EQ(findFile(dir.path(), "Zorvane.Ter"), dir / "zorvane.ter");
  EXPECT_TRUE(fileExists(dir.path(), "ZORVANE.TER"));
  // A trailing separator on the directory changes nothing.
  EXPECT_TRUE(fileExists(dir.path() / "", "ZoRvAnE.tEr"));
}

TEST(FileNames, AnExactMatchWinsAndAMissingFileKeepsTheAskedSpelling) {
  test::TestDir dir;
  dir.write("Zorvane.ini", "a");
  dir.write("ZORVANE.INI", "b");
  EXPECT_EQ(findFile(dir.path(), "ZORVANE.INI"), dir / "ZORVANE.INI");
  EXPECT_EQ(findFile(dir.path(), "Zorvane.ini"), dir / "Zorvane.ini");
  EXPECT_EQ(findFile(dir.path(), "Zorvane.Log"), dir / "Zorvane.Log");
  EXPECT_FALSE(fileExists(dir.path(), "Zorvane.Log"));
  EXPECT_FALSE(fileExists(dir / "missing-dir", "x"));
}

TEST(FileNames, StoredWindowsPathsResolveInsideTheProgramDirectory) {
  test::TestDir dir;
  fs::create_directories(dir / "Sounds");
  dir.write("Sounds/Ding.WAV", "riff");
  const fs::path program = dir.path() / "";  // as CRUNIN, with its trailing separator
  EXPECT_EQ(resolveStoredPath(program, ".\\SOUNDS\\ding.wav"), dir / "Sounds/Ding.WAV");
  EXPECT_EQ(resolveStoredPath(program, "sounds\\DING.wav  "), dir / "Sounds/Ding.WAV");
  EXPECT_EQ(resolveStoredPath(program, "C:.\\sounds\\ding.wav"), dir / "Sounds/Ding.WAV");
  EXPECT_EQ(resolveStoredPath(program, ".\\sounds\\..\\sounds\\ding.wav"), dir / "Sounds/Ding.WAV");
  EXPECT_EQ(resolveStoredPath(program, "..\\x"), dir.path().parent_path() / "x");
  // Missing parts keep their stored spelling.
  EXPECT_EQ(resolveStoredPath(program, ".\\sounds\\Neu.wav"), dir / "Sounds/Neu.wav");
  EXPECT_EQ(resolveStoredPath(program, "C:\\Windows\\notepad.exe"),
            fs::path("/Windows/notepad.exe"));
}

TEST(FileNames, StoredFormIsRelativeOnlyInsideTheProgramDirectory) {
  const fs::path program = "/opt/zorvane/";
  EXPECT_EQ(storedForm(program, "/opt/zorvane/sounds/ding.wav"), ".\\sounds\\ding.wav");
  EXPECT_EQ(storedForm("/opt/zorvane", "/opt/zorvane/ding.wav"), ".\\ding.wav");
  EXPECT_EQ(storedForm(program, "/usr/share/sounds/x.wav"), "/usr/share/sounds/x.wav");
  EXPECT_EQ(storedForm(program, "/opt/zorvane-other/x.wav"), "/opt/zorvane-other/x.wav");
}

}  // namespace
}  // namespace zrv
