// What one row of the appointment list shows of an appointment: the kind's bitmap, the flag of
// an automatic or early alarm, the weekday, the short date, the time and the title with the age
// filled in.
#pragma once

#include <string>

#include "store/appointments/appointment.h"

namespace zrv {

struct ListRow {
  std::string kindCode;  // TERMINART without trailing blanks: the name of the kind's bitmap
  std::string flag;      // "A" presented again automatically, "V" lead time, else ""
  std::string day;       // first two letters of the German weekday: "Mo", "Di" ...
  std::string date;      // "dd.mm.yy"
  std::string time;      // "HH:MM" of TIMEVON
  std::string text;      // first memo line (79 characters) through makeAge
  friend bool operator==(const ListRow&, const ListRow&) = default;
};

ListRow listRowOf(const Appointment& a);

}  // namespace zrv
