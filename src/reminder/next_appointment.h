// The search for the next appointment: the first current appointment in trigger order (.NT1),
// whatever view the list shows, remembered as DN_DATE / CN_TIME / NN_REC for the due check.
#pragma once

#include <string_view>

namespace zrv {

struct ReminderEnv;

// Finds the first current (not filed) appointment in trigger order without moving the table's
// current record or the view; it becomes the next appointment (NN_REC 0 when there is none),
// and with LS_WAKEUP the wake-up job is registered for a trigger still ahead. Logs the result
// with `caller`, updates the tray tooltip while the window is hidden and moves the list to its
// first row. Returns true.
bool chkNext(ReminderEnv& env, std::string_view caller);

}  // namespace zrv
