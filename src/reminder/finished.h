// When an appointment that has been dealt with is finished (filed or deleted) rather than moved
// on to its next occurrence. Every flow that finishes appointments asks this one rule: the
// alert's buttons, the mailed and the program-start appointments, the missed-appointment search.
#pragma once

#include "store/appointments/appointment.h"

namespace zrv {

class Logbook;

// A record of an unknown kind (VORLAGE outside 1..6) is finished like a once-only one (logged).
// A once-only appointment is finished, unless `LS_VWORIG` is on and its TIME differs from its
// TIMEVON (a postponement with a lead time produced that; it is moved on once more instead).
// A repeating appointment is finished when its next occurrence would fall after its end date
// REPDATE (an empty end date never ends the series).
bool isFinished(const Appointment& a, bool LS_VWORIG, Logbook& log);

}  // namespace zrv
