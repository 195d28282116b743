// The platform's wake-up facility: a job that wakes the computer from stand-by at a given
// moment, so that the next alarm is not slept through. At most one job exists; a new one
// replaces the old.
#pragma once

#include <string>

#include "store/base/date.h"

namespace zrv {

class WakeUpScheduler {
 public:
  virtual ~WakeUpScheduler() = default;
  // Whether the platform can wake the computer at all (LWINXP).
  virtual bool available() = 0;
  // Removes the job made last; true when there was one and it is gone.
  virtual bool removeJob() = 0;
  // Starts registering a job for `date` at `time` ("HH:MM" or "HH:MM:SS", local time). The
  // registration may finish later: jobExists tells when it has. False when it could not even
  // be started. `replacing` tells that a previous job was removed just before.
  virtual bool createJob(const Date& date, const std::string& time, bool replacing) = 0;
  virtual bool jobExists() = 0;
};

}  // namespace zrv
