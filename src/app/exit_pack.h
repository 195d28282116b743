// The tables at the end of the run: when something was deleted (LS_PACK) the appointment
// table is reopened exclusively and packed, and so is the user registry USERLIST.DBF where it
// exists; then every table is closed.
#pragma once

namespace zrv {

struct Context;

// Closes DTER; with LS_PACK set, opens CN_FILE exclusively with its indexes and packs it
// (deleted records leave the file, the indexes are rebuilt), then packs USERLIST.DBF with its
// index USERLIST.NTX on USERNAME if that file exists. A table that cannot be opened
// exclusively (another workstation still uses it) is not packed; only the logbook says so.
void packTablesAtExit(Context& ctx);

}  // namespace zrv
