// The check of the period dialog "SET_PRINT" before it closes: both dates must name a day and
// the period must not end before it begins.
#pragma once

#include <optional>
#include <string>

#include "ports/print_port.h"

namespace zrv {

enum class PeriodField { From, To };

struct PeriodCheck {
  std::optional<PrintPeriod> period;      // the period when both entries are sound
  PeriodField field = PeriodField::From;  // otherwise the entry to correct
  std::string message;                    // and what the user is told (title "Problem")
};

// The dates as typed, "dd.mm.yyyy".
PeriodCheck checkPeriod(const std::string& fromTyped, const std::string& toTyped);

}  // namespace zrv
