// Dealing with a due appointment: its side actions (mail, program start), then either
// finishing it without a window (a mail that went out, a program that was started) or the alert
// window whose buttons act on the record. A mail that was not sent or a program that could not
// be started never finishes the appointment: it is presented like an ordinary one.
#pragma once

#include <cstdint>

namespace zrv {

struct ReminderEnv;

// Makes record `recno` current and deals with it; `mode` is kAlertMissed (1) or kAlertCurrent
// (2) of alert_content.h. A record that is gone, deleted or filed is left alone. Returns when
// the appointment has been dealt with or its alert closed; true.
bool showTermin(ReminderEnv& env, std::uint32_t recno, int mode);

}  // namespace zrv
