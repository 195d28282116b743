// Starting the program of a "Programmstart" appointment and then finishing the appointment or
// moving it on, without an alert window.
#pragma once

#include <string>

namespace zrv {

struct ReminderEnv;

// Starts `program` (a stored path) with `parameters` in the program's own directory through the
// program launcher, without waiting for it, and logs the command. Then, under a record lock, the
// current record is deleted (finished, LS_SLOESCH on), filed (finished) or moved on to its next
// occurrence; a locked record is left unchanged (logbook line). A program that could not be
// started is reported to the user; the appointment is dealt with all the same, so that it does
// not come back every tick. Returns true.
bool startExe(ReminderEnv& env, const std::string& program, const std::string& parameters);

}  // namespace zrv
