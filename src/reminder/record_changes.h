// The changes the reminder makes to the current (locked) appointment record, and how a storage
// failure reaches the user: an interactive action shows it, an automatic step logs it.
#pragma once

#include <string_view>

#include "store/appointment.h"
#include "store/status.h"

namespace zrv {

struct ReminderEnv;

// Marks the current record deleted and sets LS_PACK (the table is packed at exit).
Status deleteCurrent(ReminderEnv& env);
// Puts `a` into the current record and commits it.
Status saveCurrent(ReminderEnv& env, const Appointment& a);
// Commits the pending change (a deletion) of the current record.
Status commitCurrent(ReminderEnv& env);

// Logs a failed storage step under `place`; with `tellUser` it is also shown ("Fehler").
// Returns whether `s` succeeded.
bool checkStored(ReminderEnv& env, std::string_view place, const Status& s, bool tellUser);

// The messages of a record locked elsewhere, title "Datensatz gesperrt".
inline constexpr const char* kLockedTitle = "Datensatz gesperrt";
inline constexpr const char* kCannotSaveChanges = "Kann Änderungen nicht speichern !";
inline constexpr const char* kCannotSaveAppointment = "Kann Termin nicht speichern !";
inline constexpr const char* kLockedNoSave = "Datensatz gesperrt - kein Speichern !";

}  // namespace zrv
