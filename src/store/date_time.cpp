#include "store/date_time.h"

#include <cstdio>
#include <cstdlib>

#include "store/clock.h"
#include "store/logbook.h"

namespace zrv {
namespace {

constexpr long kMinutesPerDay = 24 * 60;

// The number at the start of `part` after leading blanks, like the runtime's val(); 0 when the
// part does not start with a digit.
int leadingNumber(const std::string& part) {
  std::size_t i = part.find_first_not_of(' ');
  int value = 0;
  for (; i < part.size() && part[i] >= '0' && part[i] <= '9'; ++i)
    value = value * 10 + part[i] - '0';
  return value;
}

std::string twoDigits(long n) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%02ld", n);
  return buf;
}

// Floor division, so that negative minute counts carry into the previous day.
long floorDiv(long a, long b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

void moveByMinutes(Date& date, std::string& time, long minutes) {
  const long total = timeHours(time) * 60L + timeMinutes(time) + minutes;
  const long days = floorDiv(total, kMinutesPerDay);
  const long rest = total - days * kMinutesPerDay;
  date = date + days;
  time = twoDigits(rest / 60) + ":" + twoDigits(rest % 60) + ":00";
}

std::string dateAndTime(const Date& date, const std::string& time) {
  return date.toDisplay() + " " + time;
}

}  // namespace

int timeHours(const std::string& time) {
  return leadingNumber(time.substr(0, 2));
}

int timeMinutes(const std::string& time) {
  return time.size() > 3 ? leadingNumber(time.substr(3, 2)) : 0;
}

bool addMin(Date& date, std::string& time, int minutes, Logbook& log) {
  log.log("AddMin", "Date/Time: " + dateAndTime(date, time) + " Add: " + std::to_string(minutes));
  moveByMinutes(date, time, minutes);
  log.log("AddMin", "NEW Date/Time: " + dateAndTime(date, time));
  return true;
}

bool subMin(Date& date, std::string& time, int minutes, Logbook& log) {
  log.log("SubMin", "Date/Time: " + dateAndTime(date, time) + " Sub: " + std::to_string(minutes));
  if (minutes > 0) {
    moveByMinutes(date, time, -static_cast<long>(minutes));
    log.log("SubMin", "NEW Date/Time: " + dateAndTime(date, time));
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
  const int year = static_cast<int>(floorDiv(index, 12));
  const int month = static_cast<int>(index - year * 12L) + 1;
  for (int day = date.day(); day >= 1; --day) {
    if (auto d = Date::fromYmd(year, month, day)) return *d;
  }
  return date;  // a year outside the calendar: the date does not move
}

Date addYear(const Date& date, int years) {
  if (date.empty()) return date;
  const int year = date.year() + years;
  if (auto d = Date::fromYmd(year, date.month(), date.day())) return *d;
  if (auto d = Date::fromYmd(year, date.month(), date.day() - 1)) return *d;  // 29 February
  return date;
}

int qlNxtDay(const std::string& mask, char mark, int weekday, Logbook& log) {
  log.log("QLNxtDay", "WeekDays: " + mask + " Seek: " + std::string(1, mark) +
                          " at: " + std::to_string(weekday));
  const std::size_t from = weekday > 0 ? static_cast<std::size_t>(weekday) : 0;
  int result = 0;
  const std::size_t later = from < mask.size() ? mask.find(mark, from) : std::string::npos;
  if (later != std::string::npos) {
    result = static_cast<int>(later - from) + 1;
  } else {
    const std::size_t first = mask.find(mark);
    result = (first == std::string::npos ? 0 : static_cast<int>(first) + 1) + 7 - weekday;
    if (result == 0) result = 1;
  }
  log.log("QLNxtDay", "Next Day: " + std::to_string(result));
  return result;
}

int qlNxtMon(const std::string& mask, char mark, int month) {
  const std::size_t from = month > 0 ? static_cast<std::size_t>(month) : 0;
  const std::size_t later = from < mask.size() ? mask.find(mark, from) : std::string::npos;
  if (later != std::string::npos) return static_cast<int>(later - from) + 1;
  const std::size_t first = mask.find(mark);
  if (first == std::string::npos) return 0;
  return static_cast<int>(first) + 1 + 12 - month;
}

int lastDom(const Date& date) {
  for (int day = 1; day <= 31; ++day) {
    if (!Date::isValidYmd(date.year(), date.month(), day)) return day - 1;
  }
  return 31;
}

bool isLeep(const Date& date) {
  return Date::isValidYmd(date.year(), 2, 29);
}

int weekDay(const Date& date) {
  if (date.empty()) return 0;
  const Date newYear = *Date::fromYmd(date.year(), 1, 1);
  const long dayOfYear = (date - newYear) + 1;
  int week = static_cast<int>(dayOfYear / 7) + 1;
  if (newYear.dow() == 6 || newYear.dow() == 7) --week;
  return week;
}

std::string qlCDow(const Date& date) {
  static const char* const kNames[] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                       "Donnerstag", "Freitag", "Samstag"};
  return date.empty() ? std::string() : kNames[date.dow() - 1];
}

long qlMinDiff(const Date& date, const std::string& time, const Clock& clock, Logbook& log) {
  const Moment now = clock.now();
  log.log("qlMinDiff", "Minuten zwischen " + date.toDisplay() + " - " + time + " und " +
                           now.date.toDisplay() + " - " + formatTimeOfDay(now.secondsOfDay) +
                           " ermitteln");
  const long result = now.secondsOfDay / 60 - (timeHours(time) * 60L + timeMinutes(time)) +
                      std::labs(now.date - date) * kMinutesPerDay;
  log.log("qlMinDiff", "Differenz: " + std::to_string(result) + " Min.");
  return result;
}

}  // namespace zrv
