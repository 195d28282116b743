// One appointment: the 28 fields of a row of the appointment table, as plain values.
// Texts are UTF-8 here; the table stores them in Windows-1252. Member names are the field
// names of the table, so that every rule can be found by them.
#pragma once

#include <string>

#include "store/base/date.h"

namespace zrv {

struct Appointment {
  Date TDATE;             // trigger date: the day the alert is raised
  std::string TTIME;      // trigger time "HH:MM"
  bool LAUTO = false;     // the trigger was moved by the automatic repeat of an alert
  Date DATE;              // the appointment's own date
  std::string TIME;       // its own time "HH:MM"
  std::string TIMEVON;    // the time as entered "HH:MM"; postponing keeps it
  std::string TEXT;       // memo; the first line is the title
  int VORLAGE = 0;        // recurrence kind 1..6 (index into AVORLAGE)
  int VORLNACH = 0;       // kept by the editor with the recurrence
  int REPEAT = 0;         // 1 repeating sample, 0 after a once-only one was finished
  Date REPDATE;           // last date of the series
  std::string REPTIME;    // never used (always empty)
  int WARNMIN = 0;        // lead time in minutes
  bool ALARM = false;     // play the alarm sound
  std::string ALARMFILE;  // wave file of the alarm sound (stored path)
  std::string PROGSTART;  // program to start (stored path), empty: none
  std::string PROGPARAM;  // its parameters
  std::string TERMINART;  // kind code ("TA70", "TA7", ...)
  int NICHTMEHR = 0;      // minutes after the trigger during which a missed alert is shown
  bool QUIT = false;      // filed away
  int DAYINTVALL = 0;     // daily: every n days
  int WEKINTVALL = 0;     // weekly: every n weeks (0 counts as 1)
  std::string WEEKDAYS;   // weekday mask, Sunday first, "X" = chosen
  int MONINTVALL = 0;     // never used (always zero)
  int MONTHDAY = 0;       // monthly: day of the month
  std::string MONTH;      // month mask, January first, "X" = chosen
  Date ENDDAT;            // never written (always empty)
  std::string EMAIL;      // address notified when due

  friend bool operator==(const Appointment&, const Appointment&) = default;
};

}  // namespace zrv
