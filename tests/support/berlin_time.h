// Runs a test in the time zone Europe/Berlin (summer time from the last Sunday of March, 02:00,
// to the last Sunday of October, 03:00), whatever the machine's zone is; restores it after.
#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace zrv::test {

class BerlinTime {
 public:
  BerlinTime() {
    if (const char* tz = std::getenv("TZ")) old_ = tz;
    ::setenv("TZ", "Europe/Berlin", 1);
    ::tzset();
  }
  ~BerlinTime() {
    if (old_) {
      ::setenv("TZ", old_->c_str(), 1);
    } else {
      ::unsetenv("TZ");
    }
    ::tzset();
  }
  BerlinTime(const BerlinTime&) = delete;
  BerlinTime& operator=(const BerlinTime&) = delete;

 private:
  std::optional<std::string> old_;
};

}  // namespace zrv::test
