// The sound table "ZRVPARAM.DBF": its fields, the key of a slot, and the rows installed with
// the program (built at build time by the generator program).
#pragma once

#include <filesystem>
#include <string>

#include "store/base/status.h"
#include "store/xbase/table_structure.h"

namespace zrv {

class Clock;

inline constexpr const char* kSoundTableFile = "ZRVPARAM.DBF";
inline constexpr const char* kSoundIndexFile = "ZRVPARAM.NTX";  // temporary
inline constexpr const char* kSoundIndexKey = "str(BEREICH)+str(NUMMER)";
inline constexpr const char* kSoundAlias = "DSND";

// BEREICH N(1) area, NUMMER N(2) number (0: the area's header row), OPTION C caption,
// SOUND C stored path of the wave file, AKTIV L played, MARKED L ticked, SWITCH L follows the
// area's header row.
Structure soundTableStructure();

// The seek key of a slot: the area in one character and the number right-aligned in two
// ("8 1", "310"), as the index key expression builds it.
std::string soundSlotKey(int area, int number);

// Creates the sound table as installed: one row per shipped slot, each entry ticked (MARKED)
// with its shipped wave file, all sounds off (AKTIV false, like the setting AlarmOn) until the
// user switches them on; the kinds' default sounds (area 8) are not switchable. Fails with
// kExists when the file exists.
Status createSoundTable(const std::filesystem::path& file, const Clock& clock);

}  // namespace zrv
