// What the editor writes into the record on saving: every edited field, the kind code, the
// day of month a monthly or yearly appointment keeps, and the trigger by the one trigger rule.
#pragma once

#include "editor/editor_values.h"
#include "store/appointments/appointment.h"

namespace zrv {

struct FixedLists;
class Logbook;

// `base` with the editor's values written into it (fields the editor does not edit keep their
// value). The values must have passed checkEditorValues. A kind without program or file never
// keeps a program or file of an earlier kind: a hidden program would silently drop the lead
// time. The trigger is set (logbook "EditTermin" / "Vorwarntermin berechnen ...") and LAUTO
// cleared.
Appointment appointmentFrom(const EditorValues& v, const FixedLists& lists, Appointment base,
                            Logbook& log);

}  // namespace zrv
