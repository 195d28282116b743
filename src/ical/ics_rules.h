// What the export and the import agree on: the part of an appointment that an RRULE carries (kind,
// weekdays, weeks, months, day of month, end date), read from a record for the export and put into
// a record by the import as the details windows store it. The export then writes a property of
// its own only for a field that the rule would not give back as it is.
#pragma once

#include <string>

#include "store/appointments/appointment.h"
#include "store/base/date.h"

namespace zrv {

struct RuleFields {
  int kind = 1;          // VORLAGE 1..6
  std::string weekdays;  // daily: the mask, Sunday first; "" = every day
  int weekInterval = 1;  // weekly: every n-th week
  std::string months;    // monthly: the mask, January first; "" = every month
  int monthDay = 0;      // monthly: 1..31, -1 = the last day of the month
  Date until;            // the last day of the series; empty = no end
};

// The rule an appointment's recurrence fields express.
RuleFields ruleFieldsOf(const Appointment& a);

// Puts the rule into the appointment as the editor and its details windows store it: the masks
// of the kind (other kinds' masks blank), day interval 1 for a daily one, the week interval, the
// day of month (the date's day for a yearly one, 99 for the last day), the end date (the date of
// a once-only appointment). DATE must be set.
void applyRuleFields(Appointment& a, const RuleFields& r);

// Whether a mask chooses every position, or none (a blank mask counts as every one).
bool everyOne(const std::string& mask);

}  // namespace zrv
