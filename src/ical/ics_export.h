// From appointments to an iCalendar file: one VEVENT per appointment, its recurrence as an RRULE
// ending on REPDATE, its lead time as a VALARM, its kind as CATEGORIES and what iCalendar has no
// place for in the program's X-ZORVANE-* properties.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/appointments/appointment.h"

namespace zrv {

struct FixedLists;

// `nowUtc`: the moment of the export (DTSTAMP), seconds since 1970 in UTC.
std::string exportIcs(const std::vector<Appointment>& appointments, const FixedLists& lists,
                      std::int64_t nowUtc);

}  // namespace zrv
