// The search for the next appointment: the first record of the current view's order (all
// orders are keyed by trigger), remembered as DN_DATE / CN_TIME / NN_REC for the due check.
#pragma once

#include <string_view>

namespace zrv {

struct ReminderEnv;

// Goes to the first record of the current view. In views 1 and 2 it becomes the next
// appointment (and, with LS_WAKEUP, the wake-up job is registered for a trigger still ahead);
// in view 3 (filed) the next appointment of the last search stays, so filed appointments never
// become due. Logs the result with `caller`, updates the tray tooltip while the window is
// hidden and moves the list to its first row. Returns true.
bool chkNext(ReminderEnv& env, std::string_view caller);

}  // namespace zrv
