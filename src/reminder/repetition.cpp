#include "reminder/repetition.h"

#include "reminder/recurrence.h"
#include "store/base/date_time.h"

namespace zrv {
namespace {

// An interval of 0 (never set) reads as every day or every week.
int shownInterval(int n) {
  return n == 0 ? 1 : n;
}

}  // namespace

RepetitionValues repetitionOf(const Appointment& a) {
  return RepetitionValues{a.REPDATE, a.DAYINTVALL, a.WEKINTVALL, a.WEEKDAYS, a.MONTH, a.MONTHDAY};
}

std::string longEndDate(int kind, const Date& end) {
  if (end.empty()) return "";
  return qlCDow(end) + (kind == kHourly ? " " : ", ") + std::to_string(end.day()) + ". " +
         germanMonth(end.month()) + " " + std::to_string(end.year());
}

std::string makeVorlTxt(int kind, const RepetitionValues& v) {
  const std::string until = v.end.empty() ? "" : " bis " + longEndDate(kind, v.end);
  switch (kind) {
    case kOnce:
      return "es erfolgt keine Wiedervorlage";
    case kHourly:
      return "stündlich" + until;
    case kDaily: {
      const int n = shownInterval(v.dayInterval);
      return n == 1 ? "jeden Tag" + until : "jeden " + std::to_string(n) + ".Tag" + until;
    }
    case kWeekly: {
      const int n = shownInterval(v.weekInterval);
      return n == 1 ? "jede Woche" + until : "jede " + std::to_string(n) + ". Woche" + until;
    }
    case kMonthly:
      return "jeden " +
             (v.monthDay >= 31 ? std::string("Ultimo") : std::to_string(v.monthDay) + ". Tag") +
             until;
    case kYearly:
      return "jährlich" + until;
    default:
      return "";
  }
}

Date makeRepDate(const Date& date, int kind, RepetitionValues& v) {
  switch (kind) {
    case kOnce:
      v.end = date;
      break;
    case kHourly:
      v.end = date + 10;
      break;
    case kDaily:
      v.end = date + 365;
      if (v.dayInterval == 0) v.dayInterval = 1;
      v.weekdays = "XXXXXXX";
      break;
    case kWeekly:
      v.end = date + 364;
      break;
    case kMonthly:
      v.end = addYear(date, 2);
      v.months = "XXXXXXXXXXXX";
      v.monthDay = 1;
      break;
    case kYearly:
      v.end = addYear(date, 20);
      break;
    default:
      break;
  }
  return v.end;
}

bool detailsEnabled(int kind) {
  return kind >= kDaily && kind <= kYearly;
}

}  // namespace zrv
