#include "editor/editor_record.h"

#include "app/context.h"
#include "editor/editor_checks.h"
#include "reminder/recurrence.h"
#include "store/appointments/trigger.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

// The day a monthly or yearly appointment returns to: kept so that the 31st and 29 February
// survive the shorter months and years in between.
int monthDayOf(const EditorValues& v) {
  if (v.recurrence == kYearly) return v.date.day();
  if (v.recurrence == kMonthly) return v.rep.monthDay > 0 ? v.rep.monthDay : v.date.day();
  return v.rep.monthDay;
}

// The end date as stored: an end before the appointment's date would end a series at its next
// alert, so it becomes the kind's default end counted from the date (the date itself for a
// once-only appointment). An empty end date stays empty: the series has no end.
Date storedEnd(const EditorValues& v) {
  if (v.rep.end.empty() || v.rep.end >= v.date) return v.rep.end;
  RepetitionValues defaults = v.rep;
  const Date end = makeRepDate(v.date, v.recurrence, defaults);
  return end < v.date ? v.date : end;
}

}  // namespace

Appointment appointmentFrom(const EditorValues& v, const FixedLists& lists, Appointment a,
                            Logbook& log) {
  const TextMode mode = textModeOf(lists, v.kind);
  const std::string program = mode == TextMode::Program ? v.program : "";
  const std::string file = mode == TextMode::File ? v.file : "";
  const std::string time = typedTime(v.time).value_or("00:00");

  a.DATE = v.date;
  a.TIME = time;
  a.TIMEVON = time;
  a.TEXT = storedLines(v.text);
  a.VORLAGE = v.recurrence;
  a.VORLNACH = v.vorlNach;
  a.REPDATE = storedEnd(v);
  a.WARNMIN = program.empty() ? typedNumber(v.leadTime).value_or(0) : 0;
  a.ALARM = v.alarm;
  a.ALARMFILE = v.alarmFile;
  a.TERMINART = kindCode(lists, v.kind);
  a.NICHTMEHR = typedNumber(v.notAfter).value_or(0);
  a.PROGSTART = program.empty() ? file : program;
  a.PROGPARAM = mode == TextMode::Program ? v.params : "";
  a.EMAIL = v.email;
  a.QUIT = v.filed;
  a.DAYINTVALL = v.rep.dayInterval;
  a.WEKINTVALL = v.rep.weekInterval;
  a.WEEKDAYS = v.rep.weekdays;
  a.MONTH = v.rep.months;
  a.MONTHDAY = monthDayOf(v);

  log.log("EditTermin", "Vorwarntermin berechnen " + a.DATE.toDisplay() + " " + time + ":00");
  applyTriggerRule(a, log);
  a.LAUTO = false;
  return a;
}

}  // namespace zrv
