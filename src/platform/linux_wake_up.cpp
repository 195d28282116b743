#include "platform/linux_wake_up.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <system_error>

#include "platform/spawn.h"
#include "store/base/date_time.h"
#include "store/base/file_io.h"

namespace zrv {
namespace {

std::string shellQuote(const std::string& s) {
  std::string out = "'";
  for (char c : s)
    out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// "YYYY-MM-DD HH:MM:00" as systemd reads a calendar moment.
std::string calendarMoment(const Date& date, const std::string& time) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:00", date.year(), date.month(),
                date.day(), timeHours(time), timeMinutes(time));
  return buf;
}

std::time_t localEpoch(const Date& date, const std::string& time) {
  std::tm tm{};
  tm.tm_year = date.year() - 1900;
  tm.tm_mon = date.month() - 1;
  tm.tm_mday = date.day();
  tm.tm_hour = timeHours(time);
  tm.tm_min = timeMinutes(time);
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

}  // namespace

std::string makeJobScript(const Date& date, const std::string& time, bool replacing,
                          const LinuxWakeUpOptions& o) {
  const std::string unit = kWakeUpUnit;
  std::string s =
      "#!/bin/sh\n"
      "# Zorvane: wakes the computer for the next alarm. Written anew for every new alarm.\n";
  if (replacing) s += shellQuote(o.systemctl) + " --user stop " + unit + ".timer\n";
  s += shellQuote(o.systemdRun) + " --user --unit=" + unit +
       " --collect --on-calendar=" + shellQuote(calendarMoment(date, time)) +
       " --timer-property=WakeSystem=true --timer-property=AccuracySec=1s /bin/true\n";
  s += "exit 0\n";
  return s;
}

LinuxWakeUpScheduler::LinuxWakeUpScheduler(LinuxWakeUpOptions options)
    : options_(std::move(options)) {
  // Creating the timer fails with EPERM without CAP_WAKE_ALARM, and where the kernel has no
  // alarm timers.
  if (options_.tryAlarmTimer) alarmFd_ = timerfd_create(CLOCK_REALTIME_ALARM, TFD_CLOEXEC);
}

LinuxWakeUpScheduler::~LinuxWakeUpScheduler() {
  if (alarmFd_ >= 0) ::close(alarmFd_);
}

bool LinuxWakeUpScheduler::available() {
  if (alarmFd_ >= 0) return true;
  if (!userManager_) {
    userManager_ = runAndWait({options_.systemctl, "--user", "show-environment"}) == 0;
  }
  return *userManager_;
}

bool LinuxWakeUpScheduler::removeJob() {
  if (armed_) {
    const itimerspec off{};
    timerfd_settime(alarmFd_, 0, &off, nullptr);
    armed_ = false;
    return true;
  }
  if (!scriptRoute_ && alarmFd_ >= 0) return false;
  return runAndWait({options_.systemctl, "--user", "stop", std::string(kWakeUpUnit) + ".timer"}) ==
         0;
}

bool LinuxWakeUpScheduler::createJob(const Date& date, const std::string& time, bool replacing) {
  if (alarmFd_ >= 0 && armAlarm(date, time)) {
    scriptRoute_ = false;
    return true;
  }
  scriptRoute_ = true;
  return startScript(date, time, replacing);
}

bool LinuxWakeUpScheduler::armAlarm(const Date& date, const std::string& time) {
  itimerspec at{};
  at.it_value.tv_sec = localEpoch(date, time);
  // A moment already past would fire at once and leave nothing armed: it counts as armed, as a
  // job for a past moment stays registered until the next one replaces it.
  armed_ =
      at.it_value.tv_sec > 0 && timerfd_settime(alarmFd_, TFD_TIMER_ABSTIME, &at, nullptr) == 0;
  return armed_;
}

bool LinuxWakeUpScheduler::startScript(const Date& date, const std::string& time, bool replacing) {
  const std::filesystem::path script = options_.scriptDir / kMakeJobScript;
  if (!replaceFileAtomically(script, makeJobScript(date, time, replacing, options_))) return false;
  return spawnDetached({"/bin/sh", script.string()}, options_.scriptDir).pid > 0;
}

bool LinuxWakeUpScheduler::jobExists() {
  if (!scriptRoute_) return armed_;
  return runAndWait({options_.systemctl, "--user", "is-active", "--quiet",
                     std::string(kWakeUpUnit) + ".timer"}) == 0;
}

}  // namespace zrv
