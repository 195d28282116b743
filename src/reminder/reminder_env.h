// Everything the operations of the reminder engine work with: the program context, the open
// appointment table DTER, the ports to the windows and the machine, and what the due check
// remembers between two ticks. The program builds one when the first table is open and keeps
// it for the run; every operation of the engine takes it by reference. When the table in use
// changes, follow() binds it to the new one in place, so those references stay valid.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "store/base/clock.h"
#include "store/base/date.h"
#include "store/base/file_stamp.h"

namespace zrv {

struct Context;
class AppointmentTable;
class TimerPort;
class MainWindowPort;
class AlertPort;
class SoundPlayer;
class ProgramLauncher;
class MailDispatch;
class WakeUpScheduler;
class WaitPort;

struct ReminderPorts {
  TimerPort& timer;           // the due-check timer
  MainWindowPort& window;     // the resident main window
  AlertPort& alert;           // the alert and "Termin verlegen" windows
  SoundPlayer& sound;         // wave files in the background
  ProgramLauncher& launcher;  // the program of a "Programmstart" appointment
  MailDispatch& mail;         // appointment mails
  WakeUpScheduler& wakeUp;    // waking the computer for the next alarm
  WaitPort& wait;             // one pass of the wake-up wait loop
};

struct ReminderEnv {
  ReminderEnv(Context& context, AppointmentTable& table, ReminderPorts p)
      : ctx(context), DTER(table), ports(p) {}

  // Binds the environment to `table`, the new table in use, and forgets what the due check
  // remembered of the previous one (its next tick notices a change). The object is made anew
  // in its own storage, which keeps every reference to it valid.
  void follow(AppointmentTable& table) {
    Context& context = ctx;
    const ReminderPorts p = ports;
    std::destroy_at(this);
    std::construct_at(this, context, table, p);
  }

  Context& ctx;
  AppointmentTable& DTER;  // the table in use; its current record is shared with the list
  ReminderPorts ports;

  // The modification stamp of the table file seen at the last change the due check noticed;
  // nothing until the first tick, so that the first tick always notices a change.
  bool stampKnown = false;
  std::optional<FileStamp> stamp;

  // A tick is running: a timer event that arrives while it waits (an alert, the wake-up wait)
  // must not start a second one inside it.
  bool ticking = false;

  // When the last tick ran: a much longer gap means the computer slept (see missed_summary.h).
  std::optional<Moment> lastTick;

  // The passed trigger (record, date, time) already handed to the timer for a check at once:
  // an appointment that cannot be presented then waits for the periodic checks.
  struct Trigger {
    long recno = 0;
    Date date;
    std::string time;
    friend bool operator==(const Trigger&, const Trigger&) = default;
  };
  std::optional<Trigger> passedTriggerChecked;
};

}  // namespace zrv
