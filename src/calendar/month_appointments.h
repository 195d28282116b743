// The appointments of one month as the calendar marks them, collected from the appointment
// table through a temporary index "<table>.KAL" that is built for the month and deleted again.
// This is the calendar's only contact with the table.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "store/base/date.h"
#include "store/base/status.h"

namespace zrv {

class AppointmentTable;
struct Context;

struct MonthAppointment {
  Date date;         // the appointment's own date (DATE)
  std::string text;  // first memo line, or "~.." + program file + " " + parameters
};

// Ordered by date, at most one per day.
using MonthAppointments = std::vector<MonthAppointment>;

struct MonthCollection {
  MonthAppointments appointments;
  Status status;  // the first failure; what was collected before it is kept
};

// The temporary index file of the table named by `base` (CN_FILE).
std::filesystem::path calendarIndexFile(const std::filesystem::path& base);

// KALGETTERMINE: the first appointment not filed away of each day of the month of `date` (the
// one a day's tooltip shows). Afterwards, whatever happened, the temporary index is gone, the four
// standard indexes are open, the order that controlled before controls again (the view the list
// shows) and the table stands on the record it stood on.
MonthCollection kalGetTermine(AppointmentTable& table, const Date& date);

// The collector an open calendar uses: kalGetTermine on the table in use (taken anew on every
// call, since another table may have been opened). A failure is written to the logbook and
// handed on with what was collected; without a table the month is empty.
std::function<MonthCollection(const Date&)> tableMonthSource(Context& ctx);

// The text the calendar shows for an appointment: the first line of its memo, or for one that
// starts a program "~.." + the program's file name + " " + its parameters.
std::string calendarText(const std::string& memo, const std::string& progStart,
                         const std::string& progParam);

}  // namespace zrv
