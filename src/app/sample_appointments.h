// The first records of a new appointment table: the four sample appointments written into the
// empty default table on the very first start, and the note written into every other new table.
#pragma once

#include <vector>

#include "store/appointments/appointment.h"

namespace zrv {

class Clock;

// The samples, in the order they are appended, dated from the clock's today and time of day.
std::vector<Appointment> sampleAppointments(const Clock& clock);

// "Sie haben eine neue, leere Termindatei erzeugt.", due tomorrow at the time of now.
Appointment newTableNote(const Clock& clock);

}  // namespace zrv
