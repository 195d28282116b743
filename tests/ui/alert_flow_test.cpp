// A due appointment through the real alert and "Termin verlegen" windows, as the reminder
// engine raises them: what the record holds after postponing, cancelling or closing the alert.
#include <gtest/gtest.h>

#include "reminder/alert_port_wx.h"
#include "reminder/recurrence.h"
#include "reminder/show_termin.h"
#include "support/reminder_rig.h"
#include "ui_test_util.h"
#include "widgets/tbmpget_ctrl.h"

namespace zrv {
namespace {

class AlertFlowTest : public ::testing::Test {
 protected:
  AlertFlowTest() {
    env =
        std::make_unique<ReminderEnv>(rig.ctx, *rig.table,
                                      ReminderPorts{rig.timer, rig.window, port, rig.sound,
                                                    rig.launcher, rig.mail, rig.wakeUp, rig.wait});
  }

  test::ReminderRig rig{"10.06.2024", "13:10:00"};
  WxAlertPort port{nullptr};
  std::unique_ptr<ReminderEnv> env;
};

TEST_F(AlertFlowTest, PostponingWithALeadTimeMovesTheTimeAndTheTriggerBeforeTheEnteredTime) {
  const auto rec = rig.add(test::makeAppointment("10.06.2024", "13:25", "Besprechung", kOnce, 15));
  std::string startDate, startTime;
  test::WhenModal<AlertWindow> move([](AlertWindow& w) { test::press(w.moveButton()); });
  test::WhenModal<PostponeWindow> enter([&](PostponeWindow& p) {
    startDate = p.dateField()->GetValue().utf8_string();
    startTime = p.timeField()->GetValue().utf8_string();
    p.timeField()->SetValue("14:00");
    test::press(p.saveButton());
  });
  showTermin(*env, rec, 2);
  ASSERT_TRUE(enter.ran());
  EXPECT_EQ(startDate, "10.06.2024");  // today
  EXPECT_EQ(startTime, "13:25");       // the entered time

  const Appointment a = rig.at(rec);
  EXPECT_EQ(a.TIMEVON, "14:00");
  EXPECT_EQ(a.DATE, Date::fromDisplay("10.06.2024"));
  EXPECT_EQ(a.TIME, "13:45");
  EXPECT_EQ(a.TDATE, Date::fromDisplay("10.06.2024"));
  EXPECT_EQ(a.TTIME, "13:30");
  EXPECT_FALSE(a.LAUTO);
  EXPECT_FALSE(rig.isDeleted(rec));
}

TEST_F(AlertFlowTest, EscapeAndACancelledPostponementLeaveTheRecordAsItWas) {
  const auto rec = rig.add(test::makeAppointment("10.06.2024", "13:10", "Telefonat", kWeekly, 0));
  const Appointment before = rig.at(rec);
  bool openAfterCancel = false;
  test::WhenModal<PostponeWindow> cancel([](PostponeWindow& p) {
    p.timeField()->SetValue("18:00");
    test::press(p.cancelButton());
  });
  test::WhenModal<AlertWindow> user([&](AlertWindow& w) {
    test::press(w.moveButton());  // returns once "Termin verlegen" was cancelled
    openAfterCancel = w.IsModal() && !w.actionDone();
    test::keyOn(&w, WXK_ESCAPE);
  });
  showTermin(*env, rec, 2);
  EXPECT_TRUE(cancel.ran());
  EXPECT_TRUE(openAfterCancel);
  EXPECT_EQ(rig.at(rec), before);
  EXPECT_FALSE(rig.isDeleted(rec));
}

}  // namespace
}  // namespace zrv
