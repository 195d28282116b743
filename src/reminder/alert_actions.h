// The actions of the alert window's buttons and the confirmed deletion of the appointment list.
// Each works on the current record of DTER under its own record lock and commits its change;
// a record locked elsewhere is reported ("Datensatz gesperrt") and left unchanged.
#pragma once

#include <cstdint>

#include "ports/alert_port.h"

namespace zrv {

struct ReminderEnv;

// "&Gelesen" / "&Löschen": a finished appointment is deleted (LS_SLOESCH, or the user says yes
// to "Diesen Termin löschen ?") or filed; any other moves on to its next occurrence. True: done.
bool killTermin(ReminderEnv& env);
// "Aut&o": presents the appointment again NS_AUTOMIN minutes from now (LAUTO set).
bool autoWieder(ReminderEnv& env);
// "&Verlegen": asks for a new date and time and moves the appointment there; false when the user
// cancelled or entered no valid date and time (the record is then unchanged).
bool verlTermin(ReminderEnv& env);
// "&Ablegen": files the appointment.
bool ablegTermin(ReminderEnv& env);
// Deletes the current record after "Diesen Termin löschen ?" (No preselected); false without a
// message when it is locked, and false when the user says no.
bool delTermin(ReminderEnv& env);

// The alert window's actions on record `recno`: each makes that record current first (the
// windows opened meanwhile may have moved the table) and runs the button's action.
class RecordAlertActions : public AlertActions {
 public:
  RecordAlertActions(ReminderEnv& env, std::uint32_t recno) : env_(env), recno_(recno) {}
  bool run(AlertAction action) override;

 private:
  ReminderEnv& env_;
  std::uint32_t recno_;
};

}  // namespace zrv
