// Checking and opening the appointment table CN_FILE: the structure check and upgrade that
// runs whenever a table is opened, the index rebuild, and the opening as DTER for the run.
#pragma once

#include <functional>

namespace zrv {

struct Context;

// checkDbf: closes DTER, falls back to the table "ZORVANE" when CN_FILE's table is missing,
// upgrades a table of another field count (or any table while "Zorvane.upd" exists), creates a
// missing one, rebuilds the indexes when .NT1 is missing, the marker exists or the table was
// rebuilt, and opens it exclusively as DTER with its four indexes, the view NS_TODAY selected
// and on its first record; writes [ZORVANE] FILENAME. Returns false, with a German message and
// DTER empty, when the table cannot be opened: held by another program, damaged (left as it
// is), or not creatable.
struct CheckDbfOptions {
  // Today's and the past once-only index are built anew for today (a start does; the command
  // line, which reads the current appointments by the first index, leaves them to the program).
  bool dayIndexes = true;
  // Every page of the index files is checked (damaged ones rebuilt); a command that only reads
  // leaves that to the next start.
  bool checkIndexPages = true;
};
bool checkDbf(Context& ctx, const CheckDbfOptions& how = {});

// Start-up's table step: in network mode without a registered user (CS_USERFILE empty) the user
// set-up `setUpUser` runs instead (it registers the user and opens his table; false when the
// program is to end); a registered workstation opens its own table CS_USERFILE, whatever table
// the last run ended on; otherwise checkDbf opens CN_FILE (as `how` says). False when the program
// is to end.
bool openTableAtStart(Context& ctx, const std::function<bool(Context&)>& setUpUser,
                      const CheckDbfOptions& how = {});

}  // namespace zrv
