// Playing the program's sounds: a sound slot of the sound table "ZRVPARAM.DBF" addressed by area
// and number, a given wave file (area 0), or stopping what plays (area 99); the default sound of
// a slot with its fall-backs, and the sounds of slots as stored.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zrv {

struct Context;
class SoundPlayer;
class Table;

inline constexpr int kSoundFile = 0;   // area 0: play the given file
inline constexpr int kSoundStop = 99;  // area 99: stop the sound that is playing

// Plays without waiting. Area 99 stops playback and touches nothing else. Area 0 plays `file`
// (trimmed; a stored path, relative paths are inside the program directory). Any other area
// plays the slot's SOUND when the slot exists and is both MARKED and AKTIV. The sound table is
// opened shared with a temporary index "ZRVPARAM.NTX" that is erased again, unless the sound
// settings hold it open and pass it as `openDsnd` (indexed on the slot key; it stays open).
// A missing or damaged table plays nothing and writes a logbook line. Returns true.
bool qlPlaySound(const Context& ctx, SoundPlayer& player, int area, int number,
                 std::string_view file = {}, Table* openDsnd = nullptr);

// The SOUND of a slot: an area-8 slot with an empty sound, and a missing slot, give the sound
// of slot 8/1 instead ("" when that is missing too). The table is opened and the temporary
// index built and erased for this call.
std::string qlGetPSound(const Context& ctx, int area, int number);

struct SoundSlot {
  int area = 0;
  int number = 0;
};
// The SOUND of each slot as the table holds it, without qlGetPSound's fall-back: "" for a slot
// that is missing or empty, and for all of them when the table cannot be read. One opening of
// the table (and its temporary index) for all slots.
std::vector<std::string> slotSounds(const Context& ctx, const std::vector<SoundSlot>& slots);

}  // namespace zrv
