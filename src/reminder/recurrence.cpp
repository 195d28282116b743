#include "reminder/recurrence.h"

#include "store/appointments/trigger.h"
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
      next.DATE = addMonth(a.DATE, qlNxtMon(a.MONTH, 'X', a.DATE.month()));
      break;
    case kYearly:
      next.DATE = addYear(a.DATE, 1);
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

}  // namespace zrv
