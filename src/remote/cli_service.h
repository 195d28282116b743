// The command line's commands carried out on an open appointment table: by the running program
// on its window thread, or by the command line itself when no program runs. Changes follow the
// editor's rules (its checks, the recurrence details, the trigger rule) and write logbook lines
// with the tag "CLI"; what the caller does around them (the timer, the next appointment, the
// list) is the caller's.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "remote/cli_request.h"
#include "store/base/clock.h"

namespace zrv {

struct Context;
class AppointmentTable;
class IcsCodec;

struct CliTarget {
  Context& ctx;
  AppointmentTable& table;
  // The iCalendar codec, loaded at the first export or import; null with a German reason.
  std::function<const IcsCodec*(std::string& why)> codec;
  // Now in seconds since 1970 (UTC), and such a moment in local wall-clock time.
  std::function<std::int64_t()> nowUtc;
  std::function<Moment(std::int64_t)> toLocal;
};

inline constexpr const char* kCliTag = "CLI";

CliResponse runCliCommand(CliTarget& target, const CliRequest& request);

}  // namespace zrv
