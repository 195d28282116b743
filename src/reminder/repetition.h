// The repetition values of an appointment as the editor holds them, the one-line repetition text
// that the editor and the alert show, and the defaults the editor sets when the date or the
// recurrence kind changes.
#pragma once

#include <string>

#include "store/appointments/appointment.h"
#include "store/base/date.h"

namespace zrv {

struct RepetitionValues {
  Date end;              // REPDATE: last date of the series ("Enddatum")
  int dayInterval = 0;   // DAYINTVALL: every n-th day, only shown in the text
  int weekInterval = 0;  // WEKINTVALL: every n-th week (0 counts as 1)
  std::string weekdays;  // WEEKDAYS: 7 characters "X"/"-", Sunday first
  std::string months;    // MONTH: 12 characters "X"/"-", January first
  int monthDay = 0;      // MONTHDAY: 1..31, above 31 the last day of the month ("Ultimo")

  friend bool operator==(const RepetitionValues&, const RepetitionValues&) = default;
};

RepetitionValues repetitionOf(const Appointment& a);

// The end date in the long form "Freitag, 31. Dezember 2004"; for the hourly kind the comma
// after the weekday is a blank. "" for an empty date.
std::string longEndDate(int kind, const Date& end);

// The repetition text of kind `kind` (VORLAGE) ending on `values.end`, e.g. "jeden Tag bis
// Freitag, 31. Dezember 2004" ("jeden Tag" for a series without an end date); "" for an unknown
// kind.
std::string makeVorlTxt(int kind, const RepetitionValues& values);
inline std::string makeVorlTxt(const Appointment& a) {
  return makeVorlTxt(a.VORLAGE, repetitionOf(a));
}

// Sets the defaults of kind `kind` for an appointment on `date` into `values` (end date; for
// daily also the day interval and the weekday mask, for monthly the month mask and the day of
// month) and returns the new end date. An unknown kind changes nothing.
Date makeRepDate(const Date& date, int kind, RepetitionValues& values);
// Whether the editor's "&Details" button is enabled for the kind (daily to yearly).
bool detailsEnabled(int kind);

}  // namespace zrv
