// What the alert window shows for a due appointment: its title and the values of its fields.
#pragma once

#include <string>

#include "ports/alert_port.h"
#include "store/appointments/appointment.h"

namespace zrv {

struct Context;

inline constexpr int kAlertMissed = 1;   // found by the missed-appointment search
inline constexpr int kAlertCurrent = 2;  // found due by the timer

// "Verpaßter Termin" for a missed appointment; otherwise "Aktueller Termin", followed by
// " in N Minuten" when the lead time is positive.
std::string alertTitle(int mode, int warnMin);

// The window's values for appointment `a`: date, entered time, kind, repetition text and the
// text with the age filled in. The first button deletes ("&Löschen") when dealing with the
// appointment finishes it, and confirms ("&Gelesen") when the appointment moves on.
AlertContent buildAlertContent(const Appointment& a, int mode, const Context& ctx);

}  // namespace zrv
