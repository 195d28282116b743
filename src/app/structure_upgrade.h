// The structure upgrade of an appointment table: a table written with another structure (an
// older program's, or any table when the marker "Zorvane.upd" asks for it) is rebuilt with the
// current 28 fields, records matched by field name, without ever losing one.
//
// Files beside the table <name>.TER: "~AAAAAAA.TER"/".DBT", a copy of the old files kept until
// the new table is in place; "~<name>.TER"/".DBT", the new table while it is written;
// "~<name>.REN", present from the moment the new table is complete until it has replaced the
// old files. A crash leaves either the old table (the new files are then discarded) or a
// complete new one that the next open puts in place.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "store/base/status.h"

namespace zrv {

class Clock;
class Logbook;
class Table;

inline constexpr const char* kUpgradeMarker = "Zorvane.upd";
inline constexpr const char* kUpgradeCopy = "~AAAAAAA";

// Rebuilds the table `base` (directory and name, no extension), which the caller holds open
// exclusively as `old` (and closes afterwards), with terStruct(): copies its files to
// "~AAAAAAA", writes the new table from `old` (every record that is not deleted, memos carried
// over, every trigger recomputed by the trigger rule), and replaces the old files only once the
// new ones are complete and on disk. The copy is deleted last. Returns the number of records of
// the new table. On failure the old table is unchanged, or, when the failure came while the
// files were being replaced, finishUpgrade() completes the replacement at the next open; the
// message says so.
Result<long> upgradeStructure(const std::filesystem::path& base, Table& old, const Clock& clock,
                              Logbook& log);

// Completes a replacement of the table `base` that a crash or a failed rename interrupted, and
// removes the files of a new table that was never completed. Call it only while holding the
// table exclusively (another program might be upgrading it), and open the table anew when it
// returns true: then a new table was put in place.
Result<bool> finishUpgrade(const std::filesystem::path& base);

// Whether a complete new table of `base` waits to be put in place; until then the old files
// must not be read.
bool replacementPending(const std::filesystem::path& base);

// Takes the records of a copy "~AAAAAAA.TER" left in `dir` by an upgrade that was interrupted
// before it could finish into the open, newly created `table`, recomputes every trigger and
// deletes the copy once they have arrived. Returns the number of records taken (0 without a
// copy); on failure the copy is kept.
Result<long> takeUpgradeCopy(const std::filesystem::path& dir, Table& table, const Clock& clock,
                             Logbook& log);

// Removes from `dir` the temporary files of a copy to "~AAAAAAA" whose writing was cut short
// ("~AAAAAAA.TER.~<process>-<n>", ".DBT.~..."; a complete copy has its own name). Returns the
// names removed.
std::vector<std::string> removeUnfinishedCopies(const std::filesystem::path& dir);

// Recomputes TDATE and TTIME of every record of `table` by the trigger rule and commits.
Status recomputeTriggers(Table& table, Logbook& log);

}  // namespace zrv
