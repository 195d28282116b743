// The page models of the three appointment printouts: one day, the coming week and a period.
// They read the current appointments (index order 1) through the table's read cursor, so the
// list's view and its current record stay as they are.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ports/print_port.h"
#include "store/appointments/appointment.h"
#include "store/base/status.h"

namespace zrv {

struct Context;
class AppointmentTable;

// The current appointments whose own date lies from `from` to `to`, in trigger order. A trigger
// lies at most a lead time (under 1,000 minutes) before its appointment, so the walk covers the
// triggers from the day before `from` to the day after `to` and skips the records of other days
// among them.
struct PrintSelection {
  Status status;
  std::vector<Appointment> appointments;
  // Some current appointment lies in the range or triggers at or after `from`.
  bool anyFromStart = false;
};
PrintSelection selectForPrint(AppointmentTable& table, const Date& from, const Date& to);

// A printout's pages; no job when there was nothing to print (or reading failed: `status`).
struct Printout {
  Status status;
  std::optional<PrintJob> job;
};

// PRINTADAY's pages: the day's appointments with their times, the texts wrapped at 60
// characters. No job when the day has none.
Printout dayPrintout(AppointmentTable& table, const Date& day);
// The week PRINTNXTWEEK prints: from the coming Saturday, or from today on a Saturday or Sunday,
// seven days.
PrintPeriod nextWeek(const Date& today);
// PRINTNXTWEEK's pages: weekday and text (wrapped at 75), a double rule between two days. No
// job when no appointment lies at or after the week's start.
Printout weekPrintout(const Context& ctx, AppointmentTable& table);
// PRINTDEFINED's pages for a period: weekday, "dd.mm hh:mm" and text (wrapped at 69). No job
// when no appointment lies at or after the period's start.
Printout periodPrintout(const Context& ctx, AppointmentTable& table, const PrintPeriod& period);

// A date as the week and period headings write it: "  5. Dez. 2026".
std::string headingDate(const Date& date);

}  // namespace zrv
