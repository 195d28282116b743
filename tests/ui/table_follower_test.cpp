// The table in use closed under the running program: while the message of a table deletion that
// failed is open, the list shows nothing and a tick checks nothing; once the table is open again
// both follow it.
#include <gtest/gtest.h>

#include "app/context.h"
#include "app/file_commands.h"
#include "reminder/reminder_env.h"
#include "store/appointments/appointment_table.h"
#include "support/lock_holder.h"
#include "support/reminder_rig.h"
#include "ui/appointment_grid.h"
#include "ui/main_frame.h"
#include "ui/table_follower.h"
#include "ui_test_util.h"

namespace zrv {
namespace {

TEST(TableFollower, WhileTheTableInUseIsClosedTheListIsEmptyAndATickChecksNothing) {
  test::ReminderRig rig("10.06.2024", "08:00:00", OpenMode::kShared);
  rig.add(test::makeAppointment("10.06.2024", "09:00", "Zahnarzt"));
  rig.ctx.settings.CN_FILE = "ZORVANE";
  rig.ctx.DTER = std::move(rig.table);
  auto* frame = new MainFrame(rig.ctx, WindowRect{60, 40, 559, 839});
  TableFollower follower(*frame, [&](AppointmentTable& table) {
    return std::make_unique<ReminderEnv>(
        rig.ctx, table,
        ReminderPorts{rig.timer, *frame, rig.alert, rig.sound, rig.launcher, rig.mail, rig.wakeUp,
                      rig.wait});
  });
  follower.start(rig.ctx);
  rig.ctx.tableListener = &follower;
  frame->Show();
  frame->initialise();
  test::pump();
  ASSERT_NE(frame->grid(), nullptr);
  ASSERT_EQ(frame->grid()->GetNumberRows(), 1);

  // Another program keeps the table open, so "Neu" on the same name may not delete it.
  auto other = std::make_unique<test::RecordLockHolder>(rig.base(), 1);
  ASSERT_TRUE(other->holding());
  int rowsShown = -1;
  std::size_t alertsShown = 0;
  rig.ui.answers = {true};
  rig.ui.whileShown = [&] {
    frame->Refresh();
    frame->Update();
    test::pump(100);
    rowsShown = frame->grid() ? frame->grid()->GetNumberRows() : 0;
    rig.clock.set("10.06.2024", "09:00:00");
    follower.dueCheck(rig.ctx);
    alertsShown = rig.alert.shown.size();
    other.reset();
  };
  dateiNeu(rig.ctx, (rig.dir.path() / "ZORVANE.TER").string(), {});
  rig.ui.whileShown = nullptr;
  ASSERT_EQ(rig.ui.messages.size(), 1u);
  EXPECT_EQ(rowsShown, 0);
  EXPECT_EQ(alertsShown, 0u);

  test::pump();
  ASSERT_TRUE(rig.ctx.DTER);
  ASSERT_NE(frame->grid(), nullptr);
  EXPECT_EQ(frame->grid()->GetNumberRows(), 1);
  follower.dueCheck(rig.ctx);
  EXPECT_EQ(rig.alert.shown.size(), 1u);
  frame->Destroy();
  test::pump(50);
}

}  // namespace
}  // namespace zrv
