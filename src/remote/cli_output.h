// How the command line shows appointments: one line each for people, or a JSON document for
// programs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/appointments/appointment.h"

namespace zrv {

struct FixedLists;
class Json;

struct ShownAppointment {
  std::uint32_t recno = 0;
  Appointment a;
};

// One appointment as a JSON object: nr, date and time (ISO), trigger, title, text, kind (name and
// code), repeat, lead, filed.
Json appointmentJson(const ShownAppointment& s, const FixedLists& lists);
// "  12  Mo 07.12.2026  14:00  Zahnarzt  [privat, wöchentlich]"
std::string appointmentLine(const ShownAppointment& s, const FixedLists& lists);

}  // namespace zrv
