#include "editor/details_rules.h"

#include <algorithm>

#include "reminder/recurrence.h"
#include "store/base/date_time.h"

namespace zrv {
namespace {

template <std::size_t N>
std::array<bool, N> maskToFlags(const std::string& mask) {
  std::array<bool, N> flags{};
  const bool blank = mask.find_first_not_of(' ') == std::string::npos;
  for (std::size_t i = 0; i < N; ++i)
    flags[i] = blank || (i < mask.size() && mask[i] == 'X');
  return flags;
}

template <std::size_t N>
std::string flagsToMask(const std::array<bool, N>& flags) {
  std::string mask;
  for (bool f : flags)
    mask += f ? 'X' : '-';
  return mask;
}

// The first day `d.day` of a chosen month (any month when none is chosen) on or after `today`.
Date firstMonthDayFrom(const Date& today, const MonthDetails& d) {
  const bool anyMonth = std::find(d.months.begin(), d.months.end(), true) == d.months.end();
  Date month = *Date::fromYmd(today.year(), today.month(), 1);
  Date day = dayInMonth(month, d.day);
  for (int step = 0; step < 13 && !day.empty(); ++step) {
    if (day >= today && (anyMonth || d.months[static_cast<std::size_t>(day.month() - 1)])) break;
    month = addMonth(month, 1);
    day = dayInMonth(month, d.day);
  }
  return day;
}

}  // namespace

Date dayInMonth(const Date& date, int day) {
  if (date.empty()) return date;
  const int last = lastDom(date);
  return *Date::fromYmd(date.year(), date.month(), day < 1 ? 1 : (day > last ? last : day));
}

DayDetails dayDetailsOf(const EditorValues& v, const Date& today) {
  return DayDetails{v.rep.end.empty() ? today + 365 : v.rep.end, maskToFlags<7>(v.rep.weekdays)};
}

bool canSave(const DayDetails& d) {
  for (bool f : d.weekdays) {
    if (f) return true;
  }
  return false;
}

void saveDetails(EditorValues& v, const DayDetails& d, const Date& today) {
  if (!canSave(d)) return;
  auto chosen = [&](const Date& date) {
    return d.weekdays[static_cast<std::size_t>(date.dow() - 1)];
  };
  Date end = d.end;
  if (v.date != today && !v.date.empty()) {
    while (!chosen(v.date))
      v.date = v.date + 1;
    while (!end.empty() && !chosen(end) && end > v.date)
      end = end - 1;
  }
  v.rep.weekdays = flagsToMask(d.weekdays);
  v.rep.end = end;
  rebuildRepetitionText(v);
}

WeekDetails weekDetailsOf(const EditorValues& v) {
  RepetitionValues defaults = v.rep;
  return WeekDetails{v.rep.weekInterval == 0 ? 1 : v.rep.weekInterval,
                     v.rep.end.empty() ? makeRepDate(v.date, kWeekly, defaults) : v.rep.end};
}

bool canSave(const WeekDetails& d) {
  return d.interval != 0 && !d.end.empty();
}

void saveDetails(EditorValues& v, const WeekDetails& d) {
  if (!canSave(d)) return;
  v.rep.weekInterval = d.interval;
  v.rep.end = d.end;
  rebuildRepetitionText(v);
}

MonthDetails monthDetailsOf(const EditorValues& v) {
  MonthDetails d;
  d.end = v.rep.end.empty() ? addYear(v.date, 2) : v.rep.end;
  d.day = v.rep.monthDay != 0 ? v.rep.monthDay : (d.end.empty() ? 1 : d.end.day());
  d.months = maskToFlags<12>(v.rep.months);
  return d;
}

bool canSave(const MonthDetails& d) {
  return d.day >= 1 && !d.end.empty();
}

Date endForDay(const Date& end, int day) {
  return dayInMonth(end, day);
}

void saveDetails(EditorValues& v, const MonthDetails& d, const Date& today) {
  if (!canSave(d)) return;
  v.rep.months = flagsToMask(d.months);
  v.date = dayInMonth(v.date, d.day);
  if (!v.date.empty() && v.date < today) v.date = firstMonthDayFrom(today, d);
  v.rep.end = d.end;
  v.rep.monthDay = d.day;
  rebuildRepetitionText(v);
}

YearDetails yearDetailsOf(const EditorValues& v) {
  return YearDetails{v.rep.end.empty() ? addYear(v.date, 20) : v.rep.end};
}

bool canSave(const YearDetails& d) {
  return !d.end.empty();
}

void saveDetails(EditorValues& v, const YearDetails& d) {
  if (!canSave(d)) return;
  v.rep.end = d.end;
  rebuildRepetitionText(v);
}

}  // namespace zrv
