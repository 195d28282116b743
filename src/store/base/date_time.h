// Date and time arithmetic of the reminder. Dates are Date values; times of day stay texts:
// "HH:MM" as stored, "HH:MM:00" as the helpers that compute a time return it. A time text
// whose hour or minute characters are not digits counts those parts as 0.
#pragma once

#include <string>

#include "store/base/date.h"

namespace zrv {

class Clock;
class Logbook;
struct Moment;

// Moves date and time by `minutes` (may be negative), carrying into the date. The time becomes
// "HH:MM:00". Logs "AddMin" before and after.
bool addMin(Date& date, std::string& time, int minutes, Logbook& log);
// Moves date and time back by `minutes` when they are greater than 0 (time becomes "HH:MM:00");
// with 0 or fewer both stay as they are. Logs "SubMin".
bool subMin(Date& date, std::string& time, int minutes, Logbook& log);
// Adds one hour (the count is not used beyond that); the minutes and any seconds part stay.
bool addHour(Date& date, std::string& time, int count);
// The day of month stays, reduced to the target month's last day; months may be negative.
// Pure date arithmetic: a caller that needs the holidays of the new year (the calendar's month
// and year buttons) computes them itself when the year changed. An empty date stays empty, and
// a result outside the years 1..9999 is the empty date.
Date addMonth(const Date& date, int months);
// 29 February into a year without it gives 28 February. Same rules as addMonth.
Date addYear(const Date& date, int years);
// Days to the next weekday marked with `mark` in the 7-character mask (Sunday first). Logs.
int qlNxtDay(const std::string& mask, char mark, int weekday, Logbook& log);
// Months to the next month marked in the 12-character mask; 0 when nothing is marked.
int qlNxtMon(const std::string& mask, char mark, int month);
// Last day of the date's month (0 for the empty date).
int lastDom(const Date& date);
// The date's year has a 29 February (false for the empty date).
bool isLeep(const Date& date);
// Misleading name kept on purpose: returns the calendar week (1 to 53, Monday first, week 1
// holding the first Thursday), not a weekday; 0 for the empty date.
int weekDay(const Date& date);
// German weekday name, "" for the empty date.
std::string qlCDow(const Date& date);
// German month name of month 1..12 ("März"), "" for any other number.
std::string germanMonth(int month);
// Real minutes elapsed from the local wall-clock moment `from` to `to` (negative when `to` is
// earlier), by the local time zone's rules (the C library's): across a clock change they differ
// from the difference of the wall-clock times. A wall time that the autumn change repeats counts
// at its second pass unless the moment says otherwise (isDst); one that the spring change skips
// counts as the moment after the change. Seconds are dropped.
long elapsedMinutes(const Moment& from, const Moment& to);
// The local wall-clock moment `minutes` real minutes after `m`.
Moment addRealMinutes(const Moment& m, long minutes);
// Real minutes from the wall-clock moment (date, "HH:MM") until `now`; 0 within that minute,
// negative while it is still ahead. An empty date lies before every other.
long minutesSince(const Date& date, const std::string& time, const Moment& now);
// Minutes from (date, time) until now in real elapsed minutes (elapsedMinutes); negative for a
// moment still ahead. An empty date counts as today. Logs "qlMinDiff".
long qlMinDiff(const Date& date, const std::string& time, const Clock& clock, Logbook& log);

// Hours and minutes of a time text, each 0 when not digits.
int timeHours(const std::string& time);
int timeMinutes(const std::string& time);

}  // namespace zrv
