// The appointments the measurements work on: several a day from a first day on, mixed kinds,
// lead times and recurrences, as a long-used table holds them. Shared by the table filler and
// the command-line benchmark, which writes the same appointments for the terminal calendars.
#pragma once

#include <string>

#include "store/appointments/appointment.h"

namespace zrv::bench {

inline std::string two(int n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

// The `i`-th appointment (0-based) from `first` on: twelve a day, every seventh one weekly.
inline Appointment benchAppointment(int i, const Date& first) {
  static constexpr const char* kKinds[] = {"TA70", "TA7", "TA6",  "TA5",
                                           "TA4",  "TA1", "TA10", "TA60"};
  static constexpr const char* kTexts[] = {"Teambesprechung\nRaum 2", "Zahnarzt Dr. Weiß",
                                           "Geburtstag Jörg (#1971)", "Rückruf Kundendienst",
                                           "Übergabe Projektbericht an die Geschäftsführung"};
  Appointment a;
  a.DATE = first + i / 12;
  a.TIME = a.TIMEVON = two(7 + i % 12) + ":" + two((i * 7) % 60);
  a.TEXT = std::string(kTexts[i % 5]) + " " + std::to_string(i);
  a.TERMINART = kKinds[i % 8];
  a.VORLAGE = i % 7 == 0 ? 4 : 1;
  a.WEKINTVALL = 1;
  a.WEEKDAYS = "XXXXXXX";
  a.MONTH = "XXXXXXXXXXXX";
  a.WARNMIN = i % 3 == 0 ? 15 : 0;
  a.ALARM = true;
  return a;
}

}  // namespace zrv::bench
