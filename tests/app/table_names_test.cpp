// Table names from chosen paths, and the files that make up a table.
#include "app/table_names.h"

#include <gtest/gtest.h>

#include "support/test_dir.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;

TEST(TableNames, AChosenPathGivesTheUpperCaseNameWithoutDirectoryOrExtension) {
  EXPECT_EQ(tableNameOf("/home/anna/Termine2024.ter", 8), "TERMINE2");
  EXPECT_EQ(tableNameOf("C:\\Daten\\Büro.TER", 8), "BÜRO");
  EXPECT_EQ(tableNameOf("  müller  .Ter"), "MÜLLER");
  EXPECT_EQ(tableNameOf("Verwaltung.dbf", 8), "VERWALTU");
  EXPECT_EQ(tableNameOf("äöüäöüäöüä", 8), "ÄÖÜÄÖÜÄÖ");  // characters, not bytes
  EXPECT_EQ(tableNameOf("Langer Name", 0), "LANGER NAME");
  EXPECT_EQ(tableNameOf("Kurz  Name", 5), "KURZ");  // trimmed after the cut
  EXPECT_EQ(tableNameOf(""), "");
  EXPECT_EQ(tableNameOf("/tmp/.TER"), "");
  EXPECT_EQ(tableNameOf("/tmp/"), "");
}

TEST(TableNames, NamesAreComparedWithoutRegardToCase) {
  EXPECT_TRUE(sameTableName("termine", "TERMINE"));
  EXPECT_TRUE(sameTableName("büro", "BÜRO"));
  EXPECT_FALSE(sameTableName("TERMINE2", "TERMINE"));
  EXPECT_EQ(upperName("straße éà"), "STRAßE ÉÀ");
}

TEST(TableNames, TheBaseKeepsTheNameAndLooksUpOnlyTheDirectories) {
  test::TestDir dir;
  dir.write("zorvane", "the program");
  fs::create_directory(dir / "Daten");
  EXPECT_EQ(tableBase(dir.path() / "", "ZORVANE"), dir / "ZORVANE");
  EXPECT_EQ(tableBase(dir.path() / "", ".\\DATEN\\Meier"), dir / "Daten" / "Meier");
}

TEST(TableNames, AllFilesOfATableAreDeletedWhateverTheirCase) {
  test::TestDir dir;
  for (const char* f : {"termine2.ter", "TERMINE2.DBT", "Termine2.Nt1", "TERMINE2.NT2",
                        "TERMINE2.NT3", "termine2.nt4", "TERMINE2.KAL", "TERMINE.TER",
                        "TERMINE22.TER", "TERMINE2.INI", "TERMINE2"}) {
    dir.write(f, "x");
  }
  EXPECT_TRUE(tableExists(dir.path(), "Termine2"));
  EXPECT_TRUE(deleteTableFiles(dir.path(), "TERMINE2"));
  EXPECT_FALSE(tableExists(dir.path(), "TERMINE2"));
  std::vector<std::string> left;
  for (const auto& e : fs::directory_iterator(dir.path()))
    left.push_back(e.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left,
            (std::vector<std::string>{"TERMINE.TER", "TERMINE2", "TERMINE2.INI", "TERMINE22.TER"}));
  EXPECT_TRUE(deleteTableFiles(dir.path(), "TERMINE2"));  // nothing left to delete
  EXPECT_FALSE(tableExists(dir.path(), ""));
}

}  // namespace
}  // namespace zrv
