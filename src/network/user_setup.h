// Registering a workstation's user: the set-up dialog at the first start in network mode, the
// entry in the user registry (writeLanSet) and the user's own appointment table.
#pragma once

namespace zrv {

struct Context;
class UserWindows;

// writeLanSet: adds the user CS_USER with his table CS_USERFILE to the registry unless an entry
// of that name exists (looked up and added under the registry's lock); after adding, writes
// [ZORVANE] FILENAME := CN_FILE and [SYSTEM] TODAY := NS_TODAY. False (logged) when the
// registry cannot be opened or the entry not added.
bool writeLanSet(Context& ctx);

// setUpUser: the dialog "Zorvane - Benutzer-Einstellungen" (help topic "Benutzer-Einstellungen").
// Saved: the table is CHKUMLAUT of the name ("ZORVANE" for none); the user is registered
// (writeLanSet), his table created or adopted (buildDbase: a note record in an existing one)
// and opened (useTable), and [USER] NAME and FILE written. "&Abbrechen" and a failed
// registration tell the user that the program ends. The close box registers nothing and opens
// no table. False when the program is to end.
bool setUpUser(Context& ctx, UserWindows& windows);

}  // namespace zrv
