// The wake-up job on Linux: the script route with stand-ins for systemd's tools, and the wake
// alarm where the test may arm one.
#include "platform/linux_wake_up.h"

#include <gtest/gtest.h>

#include <chrono>

#include "support/process.h"
#include "support/test_dir.h"

namespace zrv {
namespace {

namespace fs = std::filesystem;

Date d(int y, int m, int day) {
  return *Date::fromYmd(y, m, day);
}

fs::path writeScript(const test::TestDir& dir, const std::string& name, const std::string& body) {
  const fs::path p = dir.write(name, "#!/bin/sh\n" + body);
  fs::permissions(p, fs::perms::owner_all);
  return p;
}

// A user manager in miniature: systemd-run makes the timer, systemctl answers for it.
LinuxWakeUpOptions fakeSystemd(const test::TestDir& dir) {
  const std::string state = (dir / "timer.active").string();
  LinuxWakeUpOptions o;
  o.scriptDir = dir.path();
  o.tryAlarmTimer = false;
  o.systemdRun = writeScript(dir, "systemd-run",
                             "printf '%s\\n' \"$@\" > '" + (dir / "run-args.txt").string() +
                                 "'\ntouch '" + state + "'\n")
                     .string();
  o.systemctl = writeScript(dir, "systemctl",
                            "case \"$2\" in\n"
                            "  show-environment) exit 0 ;;\n"
                            "  is-active) test -f '" +
                                state +
                                "' ;;\n"
                                "  stop) test -f '" +
                                state + "' || exit 5; rm '" + state +
                                "' ;;\n"
                                "esac\n")
                    .string();
  return o;
}

bool eventually(LinuxWakeUpScheduler& s) {
  return test::waitUntil([&] { return s.jobExists(); }, std::chrono::seconds(30));
}

TEST(MakeJobScript, SystemdTimerThatWakesTheSystem) {
  LinuxWakeUpOptions o;
  const std::string fresh = makeJobScript(d(2024, 2, 29), "23:59:00", false, o);
  EXPECT_EQ(fresh,
            "#!/bin/sh\n"
            "# Zorvane: wakes the computer for the next alarm. Written anew for every new alarm.\n"
            "'systemd-run' --user --unit=zorvane-wakeup --collect "
            "--on-calendar='2024-02-29 23:59:00' --timer-property=WakeSystem=true "
            "--timer-property=AccuracySec=1s /bin/true\n"
            "exit 0\n");
  const std::string replacing = makeJobScript(d(2024, 3, 1), "07:05", true, o);
  EXPECT_NE(replacing.find("'systemctl' --user stop zorvane-wakeup.timer\n'systemd-run'"),
            std::string::npos);
  EXPECT_NE(replacing.find("'2024-03-01 07:05:00'"), std::string::npos);
}

TEST(LinuxWakeUp, ScriptRouteRegistersReplacesAndRemovesTheTimer) {
  test::TestDir dir;
  LinuxWakeUpScheduler s(fakeSystemd(dir));
  EXPECT_FALSE(s.hasAlarmTimer());
  EXPECT_TRUE(s.available());
  EXPECT_FALSE(s.removeJob());  // nothing registered yet
  ASSERT_TRUE(s.createJob(d(2030, 1, 2), "06:58:00", false));
  EXPECT_TRUE(eventually(s));
  EXPECT_TRUE(fs::exists(dir / "MakeJob.sh"));
  EXPECT_NE(dir.read("run-args.txt").find("--on-calendar=2030-01-02 06:58:00\n"),
            std::string::npos);
  EXPECT_NE(dir.read("run-args.txt").find("--timer-property=WakeSystem=true\n"), std::string::npos);
  EXPECT_TRUE(s.removeJob());
  EXPECT_FALSE(s.jobExists());
}

TEST(LinuxWakeUp, WithoutUserManagerOrAlarmRightNothingIsAvailable) {
  test::TestDir dir;
  LinuxWakeUpOptions o;
  o.scriptDir = dir.path();
  o.tryAlarmTimer = false;
  o.systemctl = "/bin/false";
  LinuxWakeUpScheduler s(o);
  EXPECT_FALSE(s.available());
}

TEST(LinuxWakeUp, WakeAlarmIsArmedAndDisarmedWhenTheRightIsHeld) {
  test::TestDir dir;
  LinuxWakeUpOptions o;
  o.scriptDir = dir.path();
  LinuxWakeUpScheduler s(o);
  if (!s.hasAlarmTimer()) GTEST_SKIP() << "no CAP_WAKE_ALARM here";
  EXPECT_TRUE(s.available());
  EXPECT_FALSE(s.removeJob());
  ASSERT_TRUE(s.createJob(d(2099, 1, 1), "06:58", false));
  EXPECT_TRUE(s.jobExists());
  EXPECT_FALSE(fs::exists(dir / "MakeJob.sh"));  // no script on this route
  EXPECT_TRUE(s.removeJob());
  EXPECT_FALSE(s.jobExists());
}

}  // namespace
}  // namespace zrv
