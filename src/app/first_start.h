// Creating an appointment table and writing its first records: the sample appointments into
// the empty default table "ZORVANE" (the very first start), a note into every other new one.
#pragma once

#include <string>

namespace zrv {

struct Context;

// buildDbase: closes DTER, creates the table `name` (".TER" added when missing) in the program
// directory with the current structure unless it exists, sets CN_FILE to the name without
// ".TER" in upper case and writes the first records (do1stStart: samples for "ZORVANE", else the
// note). An empty name does nothing. Returns true; failures are told to the user.
bool buildDbase(Context& ctx, const std::string& name);

// do1stStart: opens CN_FILE exclusively (its index files kept current) and appends the four
// samples when `mode` is 1 and the table holds no records, the note record otherwise. Closes
// the table again. False, with a German message, when the table cannot be opened or written.
bool do1stStart(Context& ctx, int mode);

}  // namespace zrv
