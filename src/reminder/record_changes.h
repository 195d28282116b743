// The changes the reminder makes to the current (locked) appointment record, and how a storage
// failure reaches the user: an interactive action shows it, an automatic step logs it.
#pragma once

#include <string_view>

#include "store/appointments/appointment.h"
#include "store/base/status.h"

namespace zrv {

struct ReminderEnv;

// Marks the current record deleted and sets LS_PACK (the table is packed at exit).
Status deleteCurrent(ReminderEnv& env);
// Puts `a` into the current record and commits it.
Status saveCurrent(ReminderEnv& env, const Appointment& a);
// Commits the pending change (a deletion) of the current record.
Status commitCurrent(ReminderEnv& env);

// Logbook lines of finishWithoutAsking; a null pointer writes no line for that step.
struct FinishLines {
  const char* place;              // where a lock or storage failure is logged
  const char* deleted = nullptr;  // logged under "KillTermin" after an automatic deletion
  const char* filed = nullptr;    // logged under `place` before filing
  const char* moving = nullptr;   // logged under `place` before the next occurrence
  const char* moved = nullptr;    // and after it
};

// Finishes the current record without asking, as the automatic flows (mailed appointments,
// program starts) do: a finished appointment is deleted (LS_SLOESCH) or filed, any other moves
// on to its next occurrence; all under a record lock, committed. A refused lock or a storage
// failure only writes a logbook line.
void finishWithoutAsking(ReminderEnv& env, const FinishLines& lines);

// Logs a failed storage step under `place`; with `tellUser` it is also shown ("Fehler").
// Returns whether `s` succeeded.
bool checkStored(ReminderEnv& env, std::string_view place, const Status& s, bool tellUser);

// The messages of a record locked elsewhere, title "Datensatz gesperrt".
inline constexpr const char* kLockedTitle = "Datensatz gesperrt";
inline constexpr const char* kCannotSaveChanges = "Kann Änderungen nicht speichern !";
inline constexpr const char* kCannotSaveAppointment = "Kann Termin nicht speichern !";
inline constexpr const char* kLockedNoSave = "Datensatz gesperrt - kein Speichern !";

}  // namespace zrv
