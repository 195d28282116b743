#include "ical/ics_import.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <variant>

#include "app/context.h"
#include "editor/editor_values.h"
#include "ical/ical_ptr.h"
#include "ical/ics_rules.h"
#include "reminder/appointment_kinds.h"
#include "reminder/recurrence.h"
#include "reminder/text_util.h"
#include "store/appointments/trigger.h"

namespace zrv {
namespace {

constexpr int kMaxLead = 999;  // WARNMIN holds three digits
constexpr short kEnd = ICAL_RECURRENCE_ARRAY_MAX;

// An event that cannot become an appointment: why, in German.
struct Refusal {
  std::string why;
};

struct Wall {
  Date date;
  int minutes = 0;  // of the day
};

std::string twoDigits(int n) {
  return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

std::string hhmm(int minutes) {
  return twoDigits(minutes / 60) + ":" + twoDigits(minutes % 60);
}

// A DTSTART or UNTIL in local wall-clock time: a date-time in UTC or in a known time zone is
// converted, a floating one taken as it is. nullopt for a time zone nobody knows.
std::optional<Wall> wallTime(icaltimetype t, const icaltimezone* zone, bool zoneNamed,
                             const IcsImportRules& rules) {
  if (t.is_date) {
    const std::optional<Date> d = Date::fromYmd(t.year, t.month, t.day);
    if (!d) return std::nullopt;
    return Wall{*d, 0};
  }
  if (icaltime_is_utc(t) || zone) {
    const icaltimezone* z = zone ? zone : icaltimezone_get_utc_timezone();
    const auto seconds =
        static_cast<std::int64_t>(icaltime_as_timet_with_zone(t, const_cast<icaltimezone*>(z)));
    const Moment m = rules.toLocal(seconds);
    return Wall{m.date, m.secondsOfDay / 60};
  }
  if (zoneNamed) return std::nullopt;
  const std::optional<Date> d = Date::fromYmd(t.year, t.month, t.day);
  if (!d) return std::nullopt;
  return Wall{*d, t.hour * 60 + t.minute};
}

int count(const short* values, int max) {
  int n = 0;
  while (n < max && values[n] != kEnd)
    ++n;
  return n;
}

// Sunday = 1 as the weekday mask counts; libical numbers the same way.
std::string weekdayMask(const short* byDay) {
  std::string mask = "-------";
  for (int i = 0; i < ICAL_BY_DAY_SIZE && byDay[i] != kEnd; ++i) {
    const int dow = icalrecurrencetype_day_day_of_week(byDay[i]);
    if (dow >= 1 && dow <= 7) mask[static_cast<std::size_t>(dow) - 1] = 'X';
  }
  return mask;
}

bool hasDayPositions(const short* byDay) {
  for (int i = 0; i < ICAL_BY_DAY_SIZE && byDay[i] != kEnd; ++i) {
    if (icalrecurrencetype_day_position(byDay[i]) != 0) return true;
  }
  return false;
}

// The parts of a rule no recurrence kind knows.
std::optional<Refusal> unsupportedParts(const icalrecurrencetype& r) {
  if (count(r.by_set_pos, ICAL_BY_SETPOS_SIZE) > 0) {
    return Refusal{"die Regel wählt Termine mit BYSETPOS aus"};
  }
  if (r.count > 0) return Refusal{"die Regel zählt Wiederholungen (COUNT) statt eines Enddatums"};
  if (count(r.by_second, ICAL_BY_SECOND_SIZE) > 0 || count(r.by_minute, ICAL_BY_MINUTE_SIZE) > 0 ||
      count(r.by_hour, ICAL_BY_HOUR_SIZE) > 0) {
    return Refusal{"die Regel wiederholt mehrmals am Tag (BYHOUR/BYMINUTE)"};
  }
  if (count(r.by_year_day, ICAL_BY_YEARDAY_SIZE) > 0 ||
      count(r.by_week_no, ICAL_BY_WEEKNO_SIZE) > 0) {
    return Refusal{"die Regel nennt Tage des Jahres oder Kalenderwochen"};
  }
  return std::nullopt;
}

// The months every `interval` months from `startMonth` on, when that repeats within a year.
std::optional<std::string> monthsEvery(int interval, int startMonth) {
  if (interval < 1 || 12 % interval != 0) return std::nullopt;
  std::string mask(12, '-');
  for (int m = startMonth; m < startMonth + 12; m += interval)
    mask[static_cast<std::size_t>((m - 1) % 12)] = 'X';
  return mask;
}

// The recurrence fields of a rule, or why no kind expresses it. `start` is the event's date.
std::variant<RuleFields, Refusal> ruleOf(const icalrecurrencetype& r, const Date& start) {
  if (auto refused = unsupportedParts(r)) return *refused;
  RuleFields f;
  const int interval = r.interval < 1 ? 1 : r.interval;
  const int days = count(r.by_day, ICAL_BY_DAY_SIZE);
  const int monthDays = count(r.by_month_day, ICAL_BY_MONTHDAY_SIZE);
  const int months = count(r.by_month, ICAL_BY_MONTH_SIZE);
  switch (r.freq) {
    case ICAL_SECONDLY_RECURRENCE:
    case ICAL_MINUTELY_RECURRENCE:
      return Refusal{"kürzer als stündlich wiederholt nur ein Termin, der stündlich wiederkehrt"};
    case ICAL_HOURLY_RECURRENCE:
      if (interval != 1 || days || monthDays || months) {
        return Refusal{"stündlich geht nur jede Stunde ohne weitere Einschränkung"};
      }
      f.kind = kHourly;
      break;
    case ICAL_DAILY_RECURRENCE:
      if (interval != 1)
        return Refusal{"täglich geht nur jeden Tag (INTERVAL " + std::to_string(interval) + ")"};
      if (monthDays || months || hasDayPositions(r.by_day)) {
        return Refusal{"täglich geht nur mit einer Auswahl von Wochentagen"};
      }
      f.kind = kDaily;
      if (days) f.weekdays = weekdayMask(r.by_day);
      break;
    case ICAL_WEEKLY_RECURRENCE: {
      if (monthDays || months || hasDayPositions(r.by_day)) {
        return Refusal{"wöchentlich geht nur mit Wochentagen"};
      }
      const std::string mask = days ? weekdayMask(r.by_day) : "";
      std::string own = "-------";
      own[static_cast<std::size_t>(start.dow()) - 1] = 'X';
      if (mask.empty() || mask == own) {
        f.kind = kWeekly;
        f.weekInterval = interval;
      } else if (interval == 1) {  // several days of every week: daily on those weekdays
        f.kind = kDaily;
        f.weekdays = mask;
      } else {
        return Refusal{"mehrere Wochentage nur jede Woche, nicht jede " + std::to_string(interval) +
                       ". Woche"};
      }
      break;
    }
    case ICAL_MONTHLY_RECURRENCE: {
      if (days) return Refusal{"monatlich an einem Wochentag (BYDAY) kennt Zorvane nicht"};
      if (monthDays > 1) return Refusal{"monatlich geht nur an einem Tag des Monats"};
      f.kind = kMonthly;
      f.monthDay = monthDays ? r.by_month_day[0] : start.day();
      if (f.monthDay == 0 || f.monthDay < -1) {
        return Refusal{"monatlich geht nur vom Monatsanfang oder am Monatsletzten"};
      }
      if (months) {
        if (interval != 1) return Refusal{"monatlich mit Monatsauswahl geht nur jeden Monat"};
        f.months = std::string(12, '-');
        for (int i = 0; i < months; ++i)
          f.months[static_cast<std::size_t>(r.by_month[i]) - 1] = 'X';
      } else if (interval != 1) {
        const auto every = monthsEvery(interval, start.month());
        if (!every) return Refusal{"alle " + std::to_string(interval) + " Monate geht nicht auf"};
        f.months = *every;
      }
      break;
    }
    case ICAL_YEARLY_RECURRENCE: {
      const bool ownMonth = !months || (months == 1 && r.by_month[0] == start.month());
      const bool ownDay = !monthDays || (monthDays == 1 && r.by_month_day[0] == start.day());
      if (interval != 1 || days || !ownMonth || !ownDay) {
        return Refusal{"jährlich geht nur jedes Jahr am Tag des Termins"};
      }
      f.kind = kYearly;
      break;
    }
    default:
      return Refusal{"die Regel hat keine bekannte Häufigkeit (FREQ)"};
  }
  return f;
}

struct Event {
  icalcomponent* ev;
  const IcsImportRules& rules;

  const char* x(const char* name) const {
    for (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(ev, ICAL_X_PROPERTY)) {
      const char* n = icalproperty_get_x_name(p);
      if (n && std::string_view(n) == name) {
        const char* v = icalproperty_get_x(p);
        return v ? v : "";
      }
    }
    return nullptr;
  }
  bool has(icalproperty_kind kind) const {
    return icalcomponent_get_first_property(ev, kind) != nullptr;
  }
  std::string text(icalproperty_kind kind) const {
    icalproperty* p = icalcomponent_get_first_property(ev, kind);
    const char* v = p ? icalvalue_get_text(icalproperty_get_value(p)) : nullptr;
    return v ? v : "";
  }
};

std::optional<int> number(const char* text) {
  if (!text || !*text) return std::nullopt;
  char* end = nullptr;
  const long n = std::strtol(text, &end, 10);
  if (*end != '\0' || n < 0 || n > 999) return std::nullopt;
  return static_cast<int>(n);
}

// Minutes before the start of the first alarm whose trigger lies before the start.
int leadOf(icalcomponent* ev) {
  icalcomponent* alarm = icalcomponent_get_first_component(ev, ICAL_VALARM_COMPONENT);
  icalproperty* p =
      alarm ? icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY) : nullptr;
  if (!p) return 0;
  const icaltriggertype t = icalproperty_get_trigger(p);
  if (!icaltime_is_null_time(t.time)) return 0;
  const int seconds = icaldurationtype_as_int(t.duration);
  if (seconds >= 0) return 0;
  const int minutes = (-seconds + 59) / 60;
  return minutes > kMaxLead ? kMaxLead : minutes;
}

// The kind named in CATEGORIES (its text or its code); the first kind when none matches.
int kindOf(icalcomponent* ev, const FixedLists& lists) {
  for (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_CATEGORIES_PROPERTY); p;
       p = icalcomponent_get_next_property(ev, ICAL_CATEGORIES_PROPERTY)) {
    const char* v = icalproperty_get_categories(p);
    std::string_view all = v ? v : "";
    while (!all.empty()) {
      const std::size_t comma = all.find(',');
      const std::string one(all.substr(0, comma));
      for (std::size_t i = 0; i < lists.ATERMART.size(); ++i) {
        if (one == lists.ATERMART[i] || (i < lists.AT_TART.size() && one == lists.AT_TART[i])) {
          return static_cast<int>(i) + 1;
        }
      }
      if (comma == std::string_view::npos) break;
      all.remove_prefix(comma + 1);
    }
  }
  return 1;
}

// SUMMARY is the first line; DESCRIPTION, when it begins with it, the whole text.
std::string textOf(const Event& e) {
  const std::string summary = e.text(ICAL_SUMMARY_PROPERTY);
  const std::string description = e.text(ICAL_DESCRIPTION_PROPERTY);
  if (description.empty()) return summary;
  if (description.substr(0, description.find('\n')) == summary) return description;
  return summary.empty() ? description : summary + "\n" + description;
}

std::string uidOf(icalcomponent* ev) {
  const char* uid = icalcomponent_get_uid(ev);
  return uid && *uid ? uid : "(ohne UID)";
}

// The zone of a date-time property: the calendar's VTIMEZONE or the system's zone of that name.
const icaltimezone* zoneOf(icalcomponent* ev, icalproperty* p, bool& named) {
  icalparameter* tzid = p ? icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER) : nullptr;
  named = tzid != nullptr;
  if (!tzid) return nullptr;
  const char* id = icalparameter_get_tzid(tzid);
  if (!id) return nullptr;
  if (icaltimezone* z = icalcomponent_get_timezone(icalcomponent_get_parent(ev), id)) return z;
  return icaltimezone_get_builtin_timezone(id);
}

void applyOwnFields(Appointment& a, const Event& e) {
  if (const char* v = e.x(ics::kTimeVon)) a.TIMEVON = v;
  if (const char* v = e.x(ics::kRepDate)) a.REPDATE = Date::fromDtos(v);
  if (const char* v = e.x(ics::kWeekdays)) a.WEEKDAYS = v;
  if (const char* v = e.x(ics::kMonths)) a.MONTH = v;
  if (auto n = number(e.x(ics::kMonthDay))) a.MONTHDAY = *n;
  if (auto n = number(e.x(ics::kDayInterval))) a.DAYINTVALL = *n;
  if (auto n = number(e.x(ics::kWeekInterval))) a.WEKINTVALL = *n;
  if (auto n = number(e.x(ics::kVorlNach))) a.VORLNACH = *n;
  if (auto n = number(e.x(ics::kRepeat))) a.REPEAT = *n;
  if (const char* v = e.x(ics::kKind)) a.TERMINART = v;
}

void applyAutoTrigger(Appointment& a, const char* value) {
  const std::string v = value ? value : "";
  if (v.size() != 13 || v[8] != 'T') return;
  const Date d = Date::fromDtos(v.substr(0, 8));
  if (d.empty()) return;
  a.TDATE = d;
  a.TTIME = v.substr(9, 2) + ":" + v.substr(11, 2);
  a.LAUTO = true;
}

std::variant<Appointment, Refusal> appointmentOf(const Event& e) {
  const IcsImportRules& rules = e.rules;
  if (e.has(ICAL_EXDATE_PROPERTY)) return Refusal{"die Reihe hat Ausnahmen (EXDATE)"};
  if (e.has(ICAL_RDATE_PROPERTY)) return Refusal{"die Reihe hat zusätzliche Termine (RDATE)"};
  icalproperty* start = icalcomponent_get_first_property(e.ev, ICAL_DTSTART_PROPERTY);
  if (!start) return Refusal{"der Termin hat keinen Beginn (DTSTART)"};
  bool named = false;
  const icaltimezone* zone = zoneOf(e.ev, start, named);
  const std::optional<Wall> when = wallTime(icalproperty_get_dtstart(start), zone, named, rules);
  if (!when) return Refusal{"Beginn in unbekannter Zeitzone oder ungültig"};
  const bool allDay = icalproperty_get_dtstart(start).is_date != 0;

  Appointment a;
  a.DATE = when->date;
  a.TIME = a.TIMEVON = hhmm(when->minutes);
  RuleFields rule;
  icalproperty* rrule = icalcomponent_get_first_property(e.ev, ICAL_RRULE_PROPERTY);
  if (rrule) {
    if (icalcomponent_get_next_property(e.ev, ICAL_RRULE_PROPERTY)) {
      return Refusal{"die Reihe hat mehr als eine Regel (RRULE)"};
    }
    const icalrecurrencetype r = icalproperty_get_rrule(rrule);
    auto mapped = ruleOf(r, a.DATE);
    if (auto* refused = std::get_if<Refusal>(&mapped)) return *refused;
    rule = std::get<RuleFields>(mapped);
    if (!icaltime_is_null_time(r.until)) {
      const std::optional<Wall> until = wallTime(r.until, zone, named, rules);
      if (!until) return Refusal{"das Ende der Reihe (UNTIL) ist ungültig"};
      rule.until = until->date;
    }
  }
  applyRuleFields(a, rule);

  const int kind = kindOf(e.ev, rules.lists);
  a.TERMINART = kindCode(rules.lists, kind);
  a.TEXT = storedLines(textOf(e));
  a.PROGSTART = e.x(ics::kProgram) ? e.x(ics::kProgram) : "";
  a.PROGPARAM = e.x(ics::kParams) ? e.x(ics::kParams) : "";
  a.EMAIL = e.x(ics::kMail) ? e.x(ics::kMail) : "";
  a.WARNMIN = allDay || !a.PROGSTART.empty() ? 0 : leadOf(e.ev);
  const std::optional<int> notAfter = number(e.x(ics::kNotAfter));
  a.NICHTMEHR = notAfter ? *notAfter : rules.notAfterDefault;
  const char* sound = e.x(ics::kSound);
  a.ALARMFILE = sound ? sound : (rules.defaultSound ? rules.defaultSound(kind) : "");
  if (e.x(ics::kNoSound)) a.ALARMFILE.clear();
  a.QUIT = e.x(ics::kFiled) && std::string_view(e.x(ics::kFiled)) == "TRUE";
  a.ALARM = e.x(ics::kAlarm) && std::string_view(e.x(ics::kAlarm)) == "TRUE";
  applyOwnFields(a, e);
  applyTriggerRule(a, rules.log);
  applyAutoTrigger(a, e.x(ics::kAutoTrigger));
  return a;
}

}  // namespace

IcsImport importIcs(std::string_view text, const IcsImportRules& rules) {
  IcsImport result;
  const std::string copy(text);
  IcalComponentPtr root(icalparser_parse_string(copy.c_str()));
  if (!root) {
    result.problem = "Die Datei ist keine iCalendar-Datei.";
    return result;
  }
  icalcomponent* cal = root.get();
  auto each = [&](icalcomponent* ev) {
    auto mapped = appointmentOf(Event{ev, rules});
    if (auto* a = std::get_if<Appointment>(&mapped)) {
      result.appointments.push_back(std::move(*a));
    } else {
      result.refusals.push_back("Termin " + uidOf(ev) +
                                " nicht übernommen: " + std::get<Refusal>(mapped).why);
    }
  };
  if (icalcomponent_isa(cal) == ICAL_VEVENT_COMPONENT) {
    each(cal);
    return result;
  }
  for (icalcomponent* ev = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); ev;
       ev = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT))
    each(ev);
  if (icalcomponent_isa(cal) != ICAL_VCALENDAR_COMPONENT && result.appointments.empty() &&
      result.refusals.empty()) {
    result.problem = "Die Datei ist keine iCalendar-Datei.";
  }
  return result;
}

}  // namespace zrv
