// Registering the wake-up job: moment, logbook lines, the wait loop and its failure message.
#include "reminder/wake_up_job.h"

#include <gtest/gtest.h>

#include "app/context.h"
#include "ports/user_interface.h"
#include "ports/wait_port.h"
#include "ports/wake_up_port.h"
#include "support/logbook_capture.h"

namespace zrv {
namespace {

class FakeScheduler : public WakeUpScheduler {
 public:
  bool available() override { return true; }
  bool removeJob() override { return hadJob; }
  bool createJob(const Date& date, const std::string& time, bool replacing) override {
    created = {date, time};
    replacedOld = replacing;
    return canStart;
  }
  bool jobExists() override { return ++checks >= appearsAfterChecks; }

  bool hadJob = true;
  bool canStart = true;
  int appearsAfterChecks = 3;
  int checks = 0;
  bool replacedOld = false;
  WakeUpMoment created;
};

class CountingWait : public WaitPort {
 public:
  void waitOneSecond() override { ++passes; }
  void whileWaiting() override {}
  int passes = 0;
};

class RecordingUi : public SilentUserInterface {
 public:
  void message(const std::string& title, const std::string& text, Severity) override {
    messages.push_back(title + ": " + text);
  }
  void statusText(const std::string& text) override { status = text; }
  void busy(bool on) override { busyNow = on; }
  std::vector<std::string> messages;
  std::string status;
  bool busyNow = false;
};

class WakeUpJob : public ::testing::Test {
 protected:
  WakeUpJob() : ctx("/tmp", cap.clock(), cap.log(), ui) {
    ctx.run.DN_DATE = *Date::fromYmd(2024, 3, 1);
    ctx.run.CN_TIME = "00:01";
    ctx.settings.NS_WAKEUPM = 2;
  }
  test::LogbookCapture cap;
  RecordingUi ui;
  Context ctx;
  FakeScheduler scheduler;
  CountingWait wait;
};

TEST_F(WakeUpJob, WakesMinutesBeforeTheAlarmAcrossMidnight) {
  EXPECT_TRUE(registerWakeUpJob(ctx, scheduler, wait));
  EXPECT_EQ(scheduler.created.date, *Date::fromYmd(2024, 2, 29));
  EXPECT_EQ(scheduler.created.time, "23:59:00");
  EXPECT_TRUE(scheduler.replacedOld);
  EXPECT_EQ(wait.passes, 2);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.status, "Erzeugen Scheduler-Job");
  EXPECT_FALSE(ui.busyNow);
  EXPECT_EQ(cap.lines(), (std::vector<std::string>{
                             "(ChkNext) Erstellen Zorvane.job für Scheduler",
                             "(ChkNext) Zorvane.job: gelöscht",
                             "(SubMin) Date/Time: 01.03.2024 00:01 Sub: 2",
                             "(SubMin) NEW Date/Time: 29.02.2024 23:59:00",
                             "(ChkNext) Warteschleife bis Zorvane.job gefunden",
                             "(ChkNext) Warteschleife bis Zorvane.job gefunden",
                             "(ChkNext) Zorvane.job gefunden",
                         }));
}

TEST_F(WakeUpJob, JobArmedAtOnceCostsNoWait) {
  scheduler.appearsAfterChecks = 1;
  EXPECT_TRUE(registerWakeUpJob(ctx, scheduler, wait));
  EXPECT_EQ(wait.passes, 0);
}

TEST_F(WakeUpJob, ExitRemovesTheJobEvenWhenWakingUpWasSwitchedOff) {
  ctx.settings.LS_WAKEUP = false;
  scheduler.hadJob = true;
  removeWakeUpJobAtExit(ctx, scheduler);
  EXPECT_TRUE(cap.has("Programmende", "Zorvane.job gelöscht"));
}

TEST_F(WakeUpJob, NoLeadTimeKeepsTheAlarmTime) {
  ctx.settings.NS_WAKEUPM = 0;
  scheduler.hadJob = false;
  EXPECT_TRUE(registerWakeUpJob(ctx, scheduler, wait));
  EXPECT_EQ(scheduler.created.time, "00:01");
  EXPECT_FALSE(scheduler.replacedOld);
  EXPECT_TRUE(cap.has("ChkNext", "Zorvane.job: nicht gelöscht !"));
}

TEST_F(WakeUpJob, JobThatNeverAppearsIsReportedAfterThirtyPasses) {
  scheduler.appearsAfterChecks = 1000;
  EXPECT_FALSE(registerWakeUpJob(ctx, scheduler, wait));
  EXPECT_EQ(wait.passes, kWakeUpWaitSeconds);
  EXPECT_EQ(ui.messages, std::vector<std::string>{
                             "Zorvane: Job konnte nicht im Scheduler eingetragen werden !"});
  EXPECT_TRUE(cap.has("ChkNext", "Job konnte nicht im Scheduler eingetragen werden !"));
  EXPECT_FALSE(ui.busyNow);
}

TEST_F(WakeUpJob, RegistrationThatCannotStartDoesNotWait) {
  scheduler.canStart = false;
  EXPECT_FALSE(registerWakeUpJob(ctx, scheduler, wait));
  EXPECT_EQ(wait.passes, 0);
  EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
}  // namespace zrv
