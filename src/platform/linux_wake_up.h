// Waking the computer for the next alarm on Linux. Two routes: a wake alarm (a timerfd on
// CLOCK_REALTIME_ALARM) armed by the program itself when it holds CAP_WAKE_ALARM; otherwise a
// systemd user timer with WakeSystem=true, made by the script "MakeJob.sh" through
// systemd-run. The job counts as registered when the alarm is armed or the timer exists.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "ports/wake_up_port.h"

namespace zrv {

inline constexpr const char* kMakeJobScript = "MakeJob.sh";
inline constexpr const char* kWakeUpUnit = "zorvane-wakeup";

struct LinuxWakeUpOptions {
  std::filesystem::path scriptDir;  // where "MakeJob.sh" is written and run: the run's files
  bool tryAlarmTimer = true;        // false: always use the systemd timer
  std::string systemdRun = "systemd-run";
  std::string systemctl = "systemctl";
};

// The text of "MakeJob.sh" for a job at `date` / `time` (local time); `replacing` stops the
// previous timer first.
std::string makeJobScript(const Date& date, const std::string& time, bool replacing,
                          const LinuxWakeUpOptions& options);

class LinuxWakeUpScheduler : public WakeUpScheduler {
 public:
  explicit LinuxWakeUpScheduler(LinuxWakeUpOptions options);
  ~LinuxWakeUpScheduler() override;
  LinuxWakeUpScheduler(const LinuxWakeUpScheduler&) = delete;
  LinuxWakeUpScheduler& operator=(const LinuxWakeUpScheduler&) = delete;

  // The wake alarm can be armed, or a systemd user manager answers (asked once).
  bool available() override;
  bool removeJob() override;
  bool createJob(const Date& date, const std::string& time, bool replacing) override;
  bool jobExists() override;

  // Whether the program holds the right to arm wake alarms itself.
  bool hasAlarmTimer() const { return alarmFd_ >= 0; }

 private:
  bool armAlarm(const Date& date, const std::string& time);
  bool startScript(const Date& date, const std::string& time, bool replacing);

  LinuxWakeUpOptions options_;
  int alarmFd_ = -1;
  bool armed_ = false;
  bool scriptRoute_ = false;  // the last job was made by the script
  std::optional<bool> userManager_;
};

}  // namespace zrv
