#include "ical/ics_rules.h"

#include "reminder/recurrence.h"
#include "reminder/text_util.h"

namespace zrv {
namespace {

constexpr int kUltimo = 99;  // a day of month above 31: the last day of the month

std::string maskOf(const std::string& stored) {
  const std::string mask = rtrimBlanks(stored);
  return everyOne(mask) ? "" : mask;
}

}  // namespace

bool everyOne(const std::string& mask) {
  const std::string m = rtrimBlanks(mask);
  if (m.empty()) return true;
  for (const char c : m) {
    if (c != 'X') return false;
  }
  return true;
}

RuleFields ruleFieldsOf(const Appointment& a) {
  RuleFields r;
  r.kind = a.VORLAGE >= kOnce && a.VORLAGE <= kYearly ? a.VORLAGE : kOnce;
  if (r.kind == kDaily) r.weekdays = maskOf(a.WEEKDAYS);
  if (r.kind == kWeekly) r.weekInterval = a.WEKINTVALL < 1 ? 1 : a.WEKINTVALL;
  if (r.kind == kMonthly) {
    r.months = maskOf(a.MONTH);
    const int day = a.MONTHDAY > 0 ? a.MONTHDAY : a.DATE.day();
    r.monthDay = day >= 31 ? -1 : day;
  }
  if (r.kind != kOnce) r.until = a.REPDATE;
  return r;
}

void applyRuleFields(Appointment& a, const RuleFields& r) {
  a.VORLAGE = r.kind;
  a.WEEKDAYS = r.kind == kDaily ? (r.weekdays.empty() ? "XXXXXXX" : r.weekdays) : "";
  a.DAYINTVALL = r.kind == kDaily ? 1 : 0;
  a.WEKINTVALL = r.kind == kWeekly ? r.weekInterval : 0;
  a.MONTH = r.kind == kMonthly ? (r.months.empty() ? "XXXXXXXXXXXX" : r.months) : "";
  a.MONTHDAY = 0;
  if (r.kind == kMonthly) a.MONTHDAY = r.monthDay < 0 ? kUltimo : r.monthDay;
  if (r.kind == kYearly) a.MONTHDAY = a.DATE.day();
  a.REPDATE = r.kind == kOnce ? a.DATE : r.until;
}

}  // namespace zrv
