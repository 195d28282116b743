// The pack at the end of the run: deleted records stay hidden during the run and leave the
// files at exit, unless another program still holds the table.
#include "app/exit_pack.h"

#include <gtest/gtest.h>

#include "app/check_dbf.h"
#include "app/first_start.h"
#include "store/appointments/appointment_table.h"
#include "support/lock_holder.h"
#include "support/table_rig.h"

namespace zrv {
namespace {

struct ExitPackTest : ::testing::Test {
  // The samples, the second of them deleted during the run.
  void deleteSecondSample() {
    buildDbase(r.ctx, "ZORVANE");
    ASSERT_TRUE(checkDbf(r.ctx));
    ASSERT_TRUE(r.ctx.DTER->goTo(2));
    ASSERT_TRUE(r.ctx.DTER->deleteRecord());
    ASSERT_TRUE(r.ctx.DTER->commit());
    r.ctx.run.LS_PACK = true;
  }
  test::TableRig r;
};

TEST_F(ExitPackTest, DeletedRecordsAreHiddenDuringTheRunAndGoneAfterIt) {
  deleteSecondSample();
  for (int view = 1; view <= 3; ++view) {
    const auto order = test::viewOrder(*r.ctx.DTER, view);
    EXPECT_EQ(std::count(order.begin(), order.end(), 2u), 0) << "view " << view;
  }
  // Still in the table, marked (its files receive the change at the journal's checkpoint).
  EXPECT_EQ(r.ctx.DTER->table().recCount(), 4u);
  bool deleted = false;
  ASSERT_TRUE(r.ctx.DTER->readAt(2, &deleted));
  EXPECT_TRUE(deleted);

  packTablesAtExit(r.ctx);
  EXPECT_FALSE(r.ctx.DTER);
  const auto dump = test::readWithDbfread(r.dir / "ZORVANE.TER");
  EXPECT_EQ(dump.count, 3) << dump.output;
  EXPECT_EQ(dump.deleted, 0);
  EXPECT_EQ(dump.records[1].at("TERMINART"), "TA60");  // the third sample moved up
  const auto nt1 = test::walkNtx(r.dir / "ZORVANE.NT1");
  std::vector<std::uint32_t> recnos;
  for (const auto& e : nt1)
    recnos.push_back(e.second);
  EXPECT_EQ(recnos, (std::vector<std::uint32_t>{1, 3, 2}));
  EXPECT_TRUE(r.ui.messages.empty());
}

TEST_F(ExitPackTest, WithoutDeletionsTheTableIsOnlyClosed) {
  deleteSecondSample();
  r.ctx.run.LS_PACK = false;
  packTablesAtExit(r.ctx);
  EXPECT_FALSE(r.ctx.DTER);
  EXPECT_EQ(test::readWithDbfread(r.dir / "ZORVANE.TER").deleted, 1);
}

TEST_F(ExitPackTest, ATableAnotherProgramHoldsIsNotPackedAndNothingIsShown) {
  deleteSecondSample();
  r.ctx.DTER.reset();
  const std::string before = r.dir.read("ZORVANE.TER");
  {
    test::TableHolder other(r.dir / "ZORVANE");
    ASSERT_TRUE(other.holding());
    packTablesAtExit(r.ctx);
  }
  EXPECT_EQ(r.dir.read("ZORVANE.TER"), before);
  EXPECT_TRUE(r.ui.messages.empty());
  EXPECT_TRUE(r.logged("Pack", "Die Datei ZORVANE.TER wird von einem anderen Programm benutzt."));
}

TEST_F(ExitPackTest, TheUserRegistryIsPackedAndIndexedWhereItExists) {
  ASSERT_EQ(test::writeWithPythonDbf(
                r.dir / "USERLIST.DBF", "USERNAME C(50); USERFILE C(8)",
                {"USERNAME=Zacharias Ober|USERFILE=OBER", "*USERNAME=Berta Alt|USERFILE=ALT",
                 "USERNAME=Anna Müller|USERFILE=MUELLER"}),
            "");
  deleteSecondSample();
  packTablesAtExit(r.ctx);
  const auto dump = test::readWithDbfread(r.dir / "USERLIST.DBF");
  EXPECT_EQ(dump.count, 2) << dump.output;
  EXPECT_EQ(dump.deleted, 0);
  const auto index = test::walkNtx(r.dir / "USERLIST.NTX");
  ASSERT_EQ(index.size(), 2u);
  EXPECT_EQ(index[0], (std::pair<std::string, std::uint32_t>{"Anna Müller", 2}));
}

TEST_F(ExitPackTest, NoUserRegistryIsCreated) {
  deleteSecondSample();
  packTablesAtExit(r.ctx);
  EXPECT_FALSE(r.exists("USERLIST.DBF"));
  EXPECT_FALSE(r.exists("USERLIST.NTX"));
}

}  // namespace
}  // namespace zrv
