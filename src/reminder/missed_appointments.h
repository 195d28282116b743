// The search for missed appointments: current appointments whose trigger has passed
// unseen (the computer was off, an alert was open, a series was left behind).
#pragma once

namespace zrv {

struct ReminderEnv;

// With LS_SHOWOLD on: presents every current appointment (whatever view the list shows) whose
// trigger has passed as a missed one (alert mode 1), unless it is more than its NICHTMEHR
// minutes late; such a late appointment is deleted (LS_SLOESCH) or filed when finished, or else
// moved on to its first occurrence still ahead. A record that a pass leaves unchanged (alert
// closed without an action, record locked elsewhere, nothing to move on) is skipped for the
// rest of the search. The current record is restored. Returns true.
bool chkOlds(ReminderEnv& env);

}  // namespace zrv
