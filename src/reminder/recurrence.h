// Moving an appointment to its next occurrence by its recurrence kind, and its trigger: the
// moment its alert is raised, which is its own date and time less its lead time.
#pragma once

#include <string>

#include "store/appointments/appointment.h"

namespace zrv {

class Clock;
class Logbook;

// Recurrence kinds, the values of VORLAGE.
enum RecurrenceKind : int {
  kOnce = 1,
  kHourly = 2,
  kDaily = 3,
  kWeekly = 4,
  kMonthly = 5,
  kYearly = 6,
};

// Where an appointment's next occurrence lies; the date and time of an appointment whose kind
// does not repeat, with TIME reset to the entered time for a once-only one. Times "HH:MM".
struct Occurrence {
  Date DATE;
  std::string TIME;
  std::string TIMEVON;
};

// Computes the next occurrence without changing the appointment. The daily rule logs its
// weekday search.
Occurrence nextOccurrence(const Appointment& a, Logbook& log);

// The trigger of the appointment as it stands, by the one trigger rule of store/trigger.h
// (applyTriggerRule): DATE / TIME, less WARNMIN minutes unless the appointment starts a program
// (it alarms at its own time). Time "HH:MM".
struct Trigger {
  Date date;
  std::string time;
};
Trigger triggerOf(const Appointment& a, Logbook& log);

// Moves the appointment (locked by the caller) to its next occurrence, recomputes TDATE / TTIME
// and clears LAUTO. Writes the logbook lines of "GenTermin". The caller commits and unlocks.
bool qlGenTerm(Appointment& a, Logbook& log);

// Whether the appointment's trigger TDATE / TTIME lies before the current minute.
bool triggerPassed(const Appointment& a, const Clock& clock);

// Moves the appointment on like qlGenTerm; a repeating one then moves on past every further
// occurrence whose trigger has passed, so that an overdue series comes back once, at its first
// occurrence still ahead. The end date REPDATE still ends the series: it stops on its last
// occurrence. Logs how many occurrences were skipped; returns that number.
int qlGenTermFromNow(Appointment& a, const Clock& clock, Logbook& log);

// How many occurrences after the current one have a passed trigger (within REPDATE): the ones
// moving on would skip.
int missedOccurrences(const Appointment& a, const Clock& clock);

}  // namespace zrv
