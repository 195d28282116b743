#include "reminder/recurrence.h"

#include <optional>

#include "store/appointments/trigger.h"
#include "store/base/clock.h"
#include "store/base/date_time.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

std::string hhmm(const std::string& time) {
  return time.substr(0, 5);
}

const char* kindLogText(int kind) {
  switch (kind) {
    case kOnce:
      return "Termin einmal";
    case kHourly:
      return "Termin stündlich";
    case kDaily:
      return "Termin täglich";
    case kWeekly:
      return "Termin wöchentlich";
    case kMonthly:
      return "Termin monatlich";
    case kYearly:
      return "Termin jährlich";
    default:
      return "Sonstiges";
  }
}

// A week interval of 0 counts as 1; a negative one (a damaged record) would move the
// appointment backwards for ever, so it counts as 1 as well.
int effectiveWeekInterval(int weeks) {
  return weeks < 1 ? 1 : weeks;
}

bool repeats(const Appointment& a) {
  return a.VORLAGE >= kHourly && a.VORLAGE <= kYearly;
}

// The next occurrence would fall after the end date.
bool seriesEnds(const Appointment& a, Logbook& log) {
  return !a.REPDATE.empty() && nextOccurrence(a, log).DATE > a.REPDATE;
}

// Enough for an hourly appointment left alone for ten years.
constexpr int kMaxSkips = 100000;

// Moves `a` on while its trigger has passed and the series goes on; the number of moves. The
// single moves are not logged (an hourly series would fill the logbook).
int skipPassed(Appointment& a, const Clock& clock) {
  Logbook quiet({}, {}, clock);  // no file: writes nothing
  int moves = 0;
  while (moves < kMaxSkips && triggerPassed(a, clock) && !seriesEnds(a, quiet)) {
    const Date before = a.TDATE;
    const std::string time = a.TTIME;
    qlGenTerm(a, quiet);
    if (a.TDATE == before && a.TTIME == time) break;  // a damaged record that does not move
    ++moves;
  }
  return moves;
}

// The months to the next month marked in the mask; an empty or blank mask counts as every month
// (logged), or the appointment would never move on.
int monthsToNext(const Appointment& a, Logbook& log) {
  const int months = qlNxtMon(a.MONTH, 'X', a.DATE.month());
  if (months > 0) return months;
  log.log("GenTermin", "Monatsmaske leer - jeder Monat");
  return 1;
}

// The day the appointment is meant for in the month of `date`: MONTHDAY (above 31 the last
// day), cut to the month's last day.
int intendedDay(int monthDay, const Date& date) {
  const int last = lastDom(date);
  return monthDay > last ? last : monthDay;
}

// A monthly or yearly appointment keeps to its day of month MONTHDAY when it has one and still
// stands on it (a shorter month may have cut it): the 31st comes back after February's 28th.
// Records without MONTHDAY, or whose date was moved off it, keep the day of their date.
Date onIntendedDay(const Appointment& a, const Date& next) {
  if (a.MONTHDAY < 1 || next.empty() || a.DATE.day() != intendedDay(a.MONTHDAY, a.DATE)) {
    return next;
  }
  const std::optional<Date> d =
      Date::fromYmd(next.year(), next.month(), intendedDay(a.MONTHDAY, next));
  return d ? *d : next;
}

}  // namespace

Occurrence nextOccurrence(const Appointment& a, Logbook& log) {
  Occurrence next{a.DATE, hhmm(a.TIME), hhmm(a.TIMEVON)};
  switch (a.VORLAGE) {
    case kOnce:
      next.TIME = next.TIMEVON;
      break;
    case kHourly: {
      std::string time = a.TIMEVON;
      addHour(next.DATE, time, 1);
      next.TIME = next.TIMEVON = hhmm(time);
      break;
    }
    case kDaily:
      next.DATE = a.DATE + qlNxtDay(a.WEEKDAYS, 'X', a.DATE.dow(), log);
      break;
    case kWeekly:
      next.DATE = a.DATE + 7L * effectiveWeekInterval(a.WEKINTVALL);
      break;
    case kMonthly:
      next.DATE = onIntendedDay(a, addMonth(a.DATE, monthsToNext(a, log)));
      break;
    case kYearly:
      next.DATE = onIntendedDay(a, addYear(a.DATE, 1));
      break;
    default:
      break;
  }
  return next;
}

Trigger triggerOf(const Appointment& a, Logbook& log) {
  Appointment copy = a;
  applyTriggerRule(copy, log);
  return {copy.TDATE, copy.TTIME};
}

bool qlGenTerm(Appointment& a, Logbook& log) {
  log.log("GenTermin", kindLogText(a.VORLAGE));
  const Occurrence next = nextOccurrence(a, log);
  switch (a.VORLAGE) {
    case kOnce:
      a.TIME = next.TIME;
      a.REPEAT = 0;
      a.REPDATE = a.DATE;
      a.ALARM = false;
      break;
    case kHourly:
      a.DATE = next.DATE;
      a.TIME = next.TIME;
      a.TIMEVON = next.TIMEVON;
      break;
    case kWeekly:
      a.WEKINTVALL = effectiveWeekInterval(a.WEKINTVALL);
      a.DATE = next.DATE;
      break;
    case kDaily:
    case kMonthly:
    case kYearly:
      a.DATE = next.DATE;
      break;
    default:
      break;
  }
  applyTriggerRule(a, log);
  a.LAUTO = false;
  log.log("GenTermin", "Next: " + a.TDATE.toDisplay() + " " + a.TTIME);
  return true;
}

bool triggerPassed(const Appointment& a, const Clock& clock) {
  return minutesSince(a.TDATE, a.TTIME, clock.now()) > 0;
}

int qlGenTermFromNow(Appointment& a, const Clock& clock, Logbook& log) {
  qlGenTerm(a, log);
  if (!repeats(a)) return 0;
  const int skipped = skipPassed(a, clock);
  if (skipped > 0) {
    log.log("GenTermin", std::to_string(skipped) +
                             " verpasste Wiederholungen übersprungen - Next: " +
                             a.TDATE.toDisplay() + " " + a.TTIME);
  }
  return skipped;
}

int missedOccurrences(const Appointment& a, const Clock& clock) {
  if (!repeats(a)) return 0;
  Logbook quiet({}, {}, clock);
  Appointment next = a;
  if (seriesEnds(next, quiet)) return 0;
  qlGenTerm(next, quiet);
  return skipPassed(next, clock);
}

}  // namespace zrv
