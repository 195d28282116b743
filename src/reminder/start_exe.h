// Starting the program of a "Programmstart" appointment and then finishing the appointment or
// moving it on, without an alert window.
#pragma once

#include <string>

namespace zrv {

struct ReminderEnv;

// Starts `program` (a stored path) with `parameters` in the program's own directory through the
// program launcher, without waiting for it, and logs the command. A bare name that is not in
// the program directory is left to the launcher's search path. Once started, under a record
// lock, the current record is deleted (finished, LS_SLOESCH on), filed (finished) or moved on to
// its next occurrence; a locked record is left unchanged (logbook line). A program that could
// not be started is reported to the user and the record is left as it is, for the caller to
// present. Returns whether the program was started.
bool startExe(ReminderEnv& env, const std::string& program, const std::string& parameters);

}  // namespace zrv
