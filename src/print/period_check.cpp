#include "print/period_check.h"

#include "reminder/typed_input.h"

namespace zrv {

PeriodCheck checkPeriod(const std::string& fromTyped, const std::string& toTyped) {
  const std::optional<Date> from = typedDate(fromTyped);
  if (!from) return {std::nullopt, PeriodField::From, kInvalidDateMessage};
  const std::optional<Date> to = typedDate(toTyped);
  if (!to) return {std::nullopt, PeriodField::To, kInvalidDateMessage};
  if (*to < *from) {
    return {std::nullopt, PeriodField::To, "Der Zeitraum endet vor seinem Beginn !"};
  }
  return {PrintPeriod{*from, *to}, PeriodField::From, ""};
}

}  // namespace zrv
