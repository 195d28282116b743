#include "store/base/date_time.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string_view>

#include "store/base/clock.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

constexpr long kMinutesPerDay = 1440;

// The number at the start of a time field, as the runtime's numeric conversion reads it:
// leading blanks skipped, then digits; no digits give 0.
int fieldValue(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && field[i] == ' ')
    ++i;
  int value = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
    value = value * 10 + (field[i] - '0');
  return value;
}

std::string twoDigits(long n) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%02ld", n);
  return buf;
}

long floorDiv(long a, long b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Moves the moment by `minutes`, carrying whole days into the date; the time becomes HH:MM:00.
void moveMinutes(Date& date, std::string& time, long long minutes) {
  const long long total = timeHours(time) * 60LL + timeMinutes(time) + minutes;
  long long days = total / kMinutesPerDay;
  long long rest = total % kMinutesPerDay;
  if (rest < 0) {
    rest += kMinutesPerDay;
    --days;
  }
  date = date + static_cast<long>(days);
  time = twoDigits(rest / 60) + ":" + twoDigits(rest % 60) + ":00";
}

// The date of day/month/year, the day reduced until the date exists; empty when the year
// leaves the calendar.
Date dateWithDayReduced(long year, int month, int day) {
  if (year < 1 || year > 9999) return Date();
  for (; day >= 1; --day) {
    if (auto d = Date::fromYmd(static_cast<int>(year), month, day)) return *d;
  }
  return Date();
}

}  // namespace

int timeHours(const std::string& time) {
  return fieldValue(std::string_view(time).substr(0, 2));
}

int timeMinutes(const std::string& time) {
  return time.size() > 3 ? fieldValue(std::string_view(time).substr(3, 2)) : 0;
}

bool addMin(Date& date, std::string& time, int minutes, Logbook& log) {
  log.log("AddMin",
          "Date/Time: " + date.toDisplay() + " " + time + " Add: " + std::to_string(minutes));
  moveMinutes(date, time, minutes);
  log.log("AddMin", "NEW Date/Time: " + date.toDisplay() + " " + time);
  return true;
}

bool subMin(Date& date, std::string& time, int minutes, Logbook& log) {
  log.log("SubMin",
          "Date/Time: " + date.toDisplay() + " " + time + " Sub: " + std::to_string(minutes));
  if (minutes > 0) {
    moveMinutes(date, time, -static_cast<long long>(minutes));
    log.log("SubMin", "NEW Date/Time: " + date.toDisplay() + " " + time);
  }
  return true;
}

bool addHour(Date& date, std::string& time, int /*count*/) {
  int hours = timeHours(time) + 1;
  if (hours > 23) {
    date = date + 1;
    hours = 0;
  }
  time = twoDigits(hours) + (time.size() > 2 ? time.substr(2, 6) : std::string());
  return true;
}

Date addMonth(const Date& date, int months) {
  if (date.empty()) return date;
  const long index = date.year() * 12L + (date.month() - 1) + months;
  return dateWithDayReduced(floorDiv(index, 12),
                            static_cast<int>(index - floorDiv(index, 12) * 12) + 1, date.day());
}

Date addYear(const Date& date, int years) {
  if (date.empty()) return date;
  return dateWithDayReduced(static_cast<long>(date.year()) + years, date.month(), date.day());
}

int qlNxtDay(const std::string& mask, char mark, int weekday, Logbook& log) {
  log.log("QLNxtDay", "WeekDays: " + mask + " Seek: " + std::string(1, mark) +
                          " at: " + std::to_string(weekday));
  int result = 0;
  const std::size_t from = weekday > 0 ? static_cast<std::size_t>(weekday) : 0;
  const std::size_t found = from < mask.size() ? mask.find(mark, from) : std::string::npos;
  if (found != std::string::npos && found < 7) {
    result = static_cast<int>(found - from) + 1;
  } else {
    const std::size_t first = mask.find(mark);
    const int position = first == std::string::npos || first >= 7 ? 0 : static_cast<int>(first) + 1;
    result = position + 7 - weekday;
    if (result == 0) result = 1;
  }
  log.log("QLNxtDay", "Next Day: " + std::to_string(result));
  return result;
}

int qlNxtMon(const std::string& mask, char mark, int month) {
  const std::size_t first = mask.find(mark);
  if (first == std::string::npos || first >= 12) return 0;
  const std::size_t from = month > 0 ? static_cast<std::size_t>(month) : 0;
  const std::size_t found = from < mask.size() ? mask.find(mark, from) : std::string::npos;
  if (found != std::string::npos && found < 12) return static_cast<int>(found - from) + 1;
  return static_cast<int>(first) + 1 + 12 - month;
}

int lastDom(const Date& date) {
  if (date.empty()) return 0;
  int day = 28;
  while (day < 31 && Date::isValidYmd(date.year(), date.month(), day + 1))
    ++day;
  return day;
}

bool isLeep(const Date& date) {
  return !date.empty() && Date::isValidYmd(date.year(), 2, 29);
}

// The calendar week as German calendars count it: weeks run Monday to Sunday, and week 1 is the
// one holding the year's first Thursday, so the first days of January may belong to week 52 or
// 53 of the year before and the last days of December to week 1.
int weekDay(const Date& date) {
  if (date.empty()) return 0;
  const int isoDay = date.dow() == 1 ? 7 : date.dow() - 1;  // Monday 1 .. Sunday 7
  const long toThursday = 4 - isoDay;
  const Date thursday = date + toThursday;
  const Date newYear = *Date::fromYmd(thursday.year(), 1, 1);
  return static_cast<int>((thursday - newYear) / 7) + 1;
}

std::string qlCDow(const Date& date) {
  static const char* const kNames[] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                       "Donnerstag", "Freitag", "Samstag"};
  return date.empty() ? std::string() : kNames[date.dow() - 1];
}

std::string germanMonth(int month) {
  static const char* const kNames[] = {"Januar",    "Februar", "März",     "April",
                                       "Mai",       "Juni",    "Juli",     "August",
                                       "September", "Oktober", "November", "Dezember"};
  return month >= 1 && month <= 12 ? kNames[month - 1] : "";
}

namespace {

// Seconds since the epoch of a local wall-clock moment, nullopt where the C library cannot
// say (dates outside its range).
std::optional<long long> localSeconds(const Date& date, int secondsOfDay, int isDst) {
  if (date.empty()) return std::nullopt;
  auto attempt = [&](int dst, bool exact) -> std::optional<long long> {
    std::tm t{};
    t.tm_year = date.year() - 1900;
    t.tm_mon = date.month() - 1;
    t.tm_mday = date.day();
    t.tm_hour = secondsOfDay / 3600;
    t.tm_min = (secondsOfDay / 60) % 60;
    t.tm_isdst = dst;
    const int hour = t.tm_hour;
    const int minute = t.tm_min;
    const std::time_t result = std::mktime(&t);
    if (result == static_cast<std::time_t>(-1)) return std::nullopt;
    if (exact && (t.tm_hour != hour || t.tm_min != minute || t.tm_mday != date.day())) {
      return std::nullopt;  // that wall time does not exist with this offset
    }
    return static_cast<long long>(result);
  };
  if (isDst >= 0) {
    if (auto exact = attempt(isDst, true)) return exact;
  } else if (auto standard = attempt(0, true)) {
    return standard;  // the later pass of a repeated hour
  }
  return attempt(-1, false);
}

}  // namespace

long elapsedMinutes(const Moment& from, const Moment& to) {
  const auto a = localSeconds(from.date, from.secondsOfDay - from.secondsOfDay % 60, from.isDst);
  const auto b = localSeconds(to.date, to.secondsOfDay - to.secondsOfDay % 60, to.isDst);
  if (a && b) return static_cast<long>((*b - *a) / 60);
  return (to.date - from.date) * kMinutesPerDay + to.secondsOfDay / 60 - from.secondsOfDay / 60;
}

Moment addRealMinutes(const Moment& m, long minutes) {
  if (const auto start = localSeconds(m.date, m.secondsOfDay, m.isDst)) {
    const std::time_t t = static_cast<std::time_t>(*start + minutes * 60LL);
    std::tm local{};
    if (::localtime_r(&t, &local)) {
      if (auto d = Date::fromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday)) {
        return Moment{*d, local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec,
                      local.tm_isdst > 0 ? 1 : 0};
      }
    }
  }
  const long total = m.secondsOfDay + minutes * 60;
  const long days = floorDiv(total, 86400);
  return Moment{m.date + days, static_cast<int>(total - days * 86400), -1};
}

long minutesSince(const Date& date, const std::string& time, const Moment& now) {
  if (date.empty()) return now.date.empty() ? 0 : kMinutesPerDay;
  return elapsedMinutes(Moment{date, timeHours(time) * 3600 + timeMinutes(time) * 60}, now);
}

long qlMinDiff(const Date& date, const std::string& time, const Clock& clock, Logbook& log) {
  const Moment now = clock.now();
  log.log("qlMinDiff", "Minuten zwischen " + date.toDisplay() + " - " + time + " und " +
                           now.date.toDisplay() + " - " + formatTimeOfDay(now.secondsOfDay) +
                           " ermitteln");
  const Moment then{date.empty() ? now.date : date,
                    timeHours(time) * 3600 + timeMinutes(time) * 60};
  const long result = elapsedMinutes(then, now);
  log.log("qlMinDiff", "Differenz: " + std::to_string(result) + " Min.");
  return result;
}

}  // namespace zrv
