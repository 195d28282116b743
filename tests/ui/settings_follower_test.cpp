// A change of the settings while the program runs leaves the due-check timer running on with
// its interval (a new one counts from the next start) and the main window (its title in network
// mode, its list made anew).
#include "ui/settings_follower.h"

#include <gtest/gtest.h>

#include "app/context.h"
#include "app/settings_listener.h"
#include "reminder/reminder_env.h"
#include "support/reminder_rig.h"
#include "ui/appointment_grid.h"
#include "ui/due_timer.h"
#include "ui/main_frame.h"
#include "ui_test_util.h"

namespace zrv {
namespace {

TEST(SettingsFollower, TheTimerKeepsItsIntervalAndTheWindowTakesItsTitleAndList) {
  test::ReminderRig rig("10.06.2024", "08:00:00");
  rig.add(test::makeAppointment("10.06.2024", "09:00", "Zahnarzt"));
  auto* frame = new MainFrame(rig.ctx, WindowRect{60, 40, 559, 839});
  ReminderEnv env(rig.ctx, *rig.table,
                  ReminderPorts{rig.timer, *frame, rig.alert, rig.sound, rig.launcher, rig.mail,
                                rig.wakeUp, rig.wait});
  frame->attach(&env);
  frame->Show();
  frame->initialise();
  test::pump();
  DueTimer timer(30, [] {});
  timer.start();
  SettingsFollower follower(*frame);
  rig.ctx.settingsListener = &follower;

  rig.ctx.settings.NS_TIMER = 5;
  rig.ctx.settings.LS_LAN = true;
  settingsChanged(rig.ctx);
  test::pump();
  EXPECT_EQ(timer.intervalMs(), 30000);
  EXPECT_TRUE(timer.running());
  EXPECT_TRUE(frame->GetTitle().EndsWith(" Lan")) << frame->GetTitle();
  ASSERT_NE(frame->grid(), nullptr);
  EXPECT_EQ(frame->grid()->GetNumberRows(), 1);
  frame->Destroy();
  test::pump(50);
}

}  // namespace
}  // namespace zrv
