#include "ical/ics_export.h"

#include <string_view>

#include "app/context.h"
#include "editor/editor_values.h"
#include "ical/ical_ptr.h"
#include "ical/ics_codec.h"
#include "ical/ics_rules.h"
#include "reminder/appointment_kinds.h"
#include "reminder/recurrence.h"
#include "reminder/text_util.h"
#include "store/appointments/trigger.h"

namespace zrv {
namespace {

constexpr const char* kProdId = "-//Zorvane//Terminerinnerung//DE";

icaltimetype localTime(const Date& date, const std::string& hhmm) {
  icaltimetype t = icaltime_null_time();
  t.year = date.year();
  t.month = date.month();
  t.day = date.day();
  const TriggerTime tt = TriggerTime::of(date, hhmm);
  t.hour = tt.minutes / 60;
  t.minute = tt.minutes % 60;
  t.is_date = 0;
  return t;  // floating: the wall-clock time wherever the file is read
}

void addX(icalcomponent* ev, const char* name, const std::string& value) {
  icalproperty* p = icalproperty_new_x(value.c_str());
  icalproperty_set_x_name(p, name);
  icalcomponent_add_property(ev, p);
}

// The first line up to a line break: what other calendars show as the title.
std::string titleOf(const std::string& shown) {
  return shown.substr(0, shown.find('\n'));
}

// Sunday first, as the weekday mask counts.
constexpr icalrecurrencetype_weekday kWeekdays[] = {
    ICAL_SUNDAY_WEEKDAY,   ICAL_MONDAY_WEEKDAY, ICAL_TUESDAY_WEEKDAY, ICAL_WEDNESDAY_WEEKDAY,
    ICAL_THURSDAY_WEEKDAY, ICAL_FRIDAY_WEEKDAY, ICAL_SATURDAY_WEEKDAY};

// An appointment at midnight without lead time is a day's appointment (a birthday): written as
// an all-day event, which the import takes back to 00:00 without lead time.
bool allDay(const Appointment& a) {
  return a.TIME.substr(0, 5) == "00:00" && a.WARNMIN == 0;
}

icaltimetype startOf(const Date& date, const std::string& time, bool wholeDay) {
  icaltimetype t = localTime(date, time);
  if (wholeDay) {
    t.hour = t.minute = 0;
    t.is_date = 1;
  }
  return t;
}

icalrecurrencetype recurrenceOf(const RuleFields& r, const std::string& time, bool wholeDay) {
  icalrecurrencetype rec;
  icalrecurrencetype_clear(&rec);
  rec.interval = 1;
  switch (r.kind) {
    case kHourly:
      rec.freq = ICAL_HOURLY_RECURRENCE;
      break;
    case kDaily: {
      rec.freq = ICAL_DAILY_RECURRENCE;
      int n = 0;
      for (std::size_t i = 0; i < r.weekdays.size() && i < 7; ++i) {
        if (r.weekdays[i] == 'X') rec.by_day[n++] = static_cast<short>(kWeekdays[i]);
      }
      break;
    }
    case kWeekly:
      rec.freq = ICAL_WEEKLY_RECURRENCE;
      rec.interval = static_cast<short>(r.weekInterval);
      break;
    case kMonthly: {
      rec.freq = ICAL_MONTHLY_RECURRENCE;
      int n = 0;
      for (std::size_t i = 0; i < r.months.size() && i < 12; ++i) {
        if (r.months[i] == 'X') rec.by_month[n++] = static_cast<short>(i + 1);
      }
      rec.by_month_day[0] = static_cast<short>(r.monthDay);
      break;
    }
    default:
      rec.freq = ICAL_YEARLY_RECURRENCE;
      break;
  }
  // The last occurrence falls on the end date at the appointment's own time.
  if (!r.until.empty()) rec.until = startOf(r.until, time, wholeDay);
  return rec;
}

void addAlarm(icalcomponent* ev, int leadMinutes, const std::string& title) {
  icalcomponent* alarm = icalcomponent_new_valarm();
  icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
  icaltriggertype trigger;
  trigger.time = icaltime_null_time();
  trigger.duration = icaldurationtype_from_int(-60 * leadMinutes);
  icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
  icalcomponent_add_property(alarm, icalproperty_new_description(title.c_str()));
  icalcomponent_add_component(ev, alarm);
}

std::string yesNo(bool b) {
  return b ? "TRUE" : "FALSE";
}

// The fields the rule does not give back as stored, each in a property of its own.
void addUnderivedFields(icalcomponent* ev, const Appointment& a, const RuleFields& r) {
  Appointment probe = a;
  applyRuleFields(probe, r);
  probe.TIMEVON = a.TIME.substr(0, 5);
  if (rtrimBlanks(probe.TIMEVON) != rtrimBlanks(a.TIMEVON)) addX(ev, ics::kTimeVon, a.TIMEVON);
  if (probe.REPDATE != a.REPDATE)
    addX(ev, ics::kRepDate, a.REPDATE.empty() ? "-" : a.REPDATE.dtos());
  if (rtrimBlanks(probe.WEEKDAYS) != rtrimBlanks(a.WEEKDAYS)) addX(ev, ics::kWeekdays, a.WEEKDAYS);
  if (rtrimBlanks(probe.MONTH) != rtrimBlanks(a.MONTH)) addX(ev, ics::kMonths, a.MONTH);
  if (probe.MONTHDAY != a.MONTHDAY) addX(ev, ics::kMonthDay, std::to_string(a.MONTHDAY));
  if (probe.DAYINTVALL != a.DAYINTVALL) addX(ev, ics::kDayInterval, std::to_string(a.DAYINTVALL));
  if (probe.WEKINTVALL != a.WEKINTVALL) {
    addX(ev, ics::kWeekInterval, std::to_string(a.WEKINTVALL));
  }
  if (a.VORLNACH != 0) addX(ev, ics::kVorlNach, std::to_string(a.VORLNACH));
  if (a.REPEAT != 0) addX(ev, ics::kRepeat, std::to_string(a.REPEAT));
  if (a.LAUTO) {
    addX(ev, ics::kAutoTrigger, a.TDATE.dtos() + "T" + a.TTIME.substr(0, 2) + a.TTIME.substr(3, 2));
  }
}

// No DTEND: an appointment is a moment, which other calendars take as an appointment without
// length.
icalcomponent* eventOf(const Appointment& a, const FixedLists& lists, std::size_t number,
                       icaltimetype stamp) {
  icalcomponent* ev = icalcomponent_new_vevent();
  const std::string uid = "zorvane-" + a.DATE.dtos() + "-" + std::to_string(number) + "@zorvane";
  icalcomponent_add_property(ev, icalproperty_new_uid(uid.c_str()));
  icalcomponent_add_property(ev, icalproperty_new_dtstart(startOf(a.DATE, a.TIME, allDay(a))));
  icalcomponent_add_property(ev, icalproperty_new_dtstamp(stamp));

  const std::string shown = shownLines(a.TEXT);
  const std::string title = titleOf(shown);
  icalcomponent_add_property(ev, icalproperty_new_summary(title.c_str()));
  if (shown != title) icalcomponent_add_property(ev, icalproperty_new_description(shown.c_str()));

  const std::string code = rtrimBlanks(a.TERMINART);
  icalcomponent_add_property(ev, icalproperty_new_categories(kindText(lists, code).c_str()));
  if (!code.empty() && kindPosition(lists, code) == 1 && code != lists.AT_TART.front()) {
    addX(ev, ics::kKind, code);
  }

  const RuleFields rule = ruleFieldsOf(a);
  if (rule.kind != kOnce) {
    icalcomponent_add_property(ev, icalproperty_new_rrule(recurrenceOf(rule, a.TIME, allDay(a))));
  }
  addAlarm(ev, a.WARNMIN, title);

  if (a.QUIT) addX(ev, ics::kFiled, yesNo(true));
  if (a.ALARM) addX(ev, ics::kAlarm, yesNo(true));
  // An empty property value does not survive the reading, so no sound has a property of its own.
  const std::string sound = rtrimBlanks(a.ALARMFILE);
  addX(ev, sound.empty() ? ics::kNoSound : ics::kSound, sound.empty() ? yesNo(true) : sound);
  addX(ev, ics::kNotAfter, std::to_string(a.NICHTMEHR));
  if (!rtrimBlanks(a.PROGSTART).empty()) addX(ev, ics::kProgram, rtrimBlanks(a.PROGSTART));
  if (!rtrimBlanks(a.PROGPARAM).empty()) addX(ev, ics::kParams, rtrimBlanks(a.PROGPARAM));
  if (!rtrimBlanks(a.EMAIL).empty()) addX(ev, ics::kMail, rtrimBlanks(a.EMAIL));
  addUnderivedFields(ev, a, rule);
  return ev;
}

}  // namespace

std::string exportIcs(const std::vector<Appointment>& appointments, const FixedLists& lists,
                      std::int64_t nowUtc) {
  const icaltimetype stamp = icaltime_from_timet_with_zone(static_cast<time_t>(nowUtc), 0,
                                                           icaltimezone_get_utc_timezone());
  IcalComponentPtr cal(icalcomponent_new_vcalendar());
  icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
  icalcomponent_add_property(cal.get(), icalproperty_new_prodid(kProdId));
  std::size_t number = 0;
  for (const Appointment& a : appointments)
    icalcomponent_add_component(cal.get(), eventOf(a, lists, ++number, stamp));
  IcalStringPtr text(icalcomponent_as_ical_string_r(cal.get()));
  return text ? std::string(text.get()) : std::string();
}

}  // namespace zrv
