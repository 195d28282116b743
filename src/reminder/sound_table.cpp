#include "reminder/sound_table.h"

#include <cstdio>
#include <memory>

#include "reminder/shipped_sounds.h"
#include "store/xbase/table.h"

namespace zrv {
namespace {

// The default sounds of the appointment kinds are not played by the program itself (the editor
// proposes them), so switching them on or off means nothing.
bool switchable(const SoundSlot& s) {
  return s.area != 8;
}

Status appendSlot(Table& t, const SoundSlot& s) {
  Status st = t.append();
  if (st) st = t.setNumber("BEREICH", s.area);
  if (st) st = t.setNumber("NUMMER", s.number);
  if (st) st = t.setString("OPTION", s.caption);
  if (st && *s.file) st = t.setString("SOUND", storedSoundPath(s.file));
  if (st) st = t.setLogical("AKTIV", false);
  // The master row is the switch of all sounds: it is off like the setting AlarmOn.
  if (st) st = t.setLogical("MARKED", s.area != 0);
  if (st) st = t.setLogical("SWITCH", switchable(s));
  return st;
}

}  // namespace

Structure soundTableStructure() {
  return {
      {"BEREICH", 'N', 1, 0}, {"NUMMER", 'N', 2, 0}, {"OPTION", 'C', 30, 0}, {"SOUND", 'C', 254, 0},
      {"AKTIV", 'L', 1, 0},   {"MARKED", 'L', 1, 0}, {"SWITCH", 'L', 1, 0},
  };
}

std::string soundSlotKey(int area, int number) {
  char key[16];
  std::snprintf(key, sizeof key, "%1d%2d", area, number);
  return key;
}

Status createSoundTable(const std::filesystem::path& file, const Clock& clock) {
  Status s = Table::create(file, soundTableStructure(), clock);
  if (!s) return s;
  Result<std::unique_ptr<Table>> opened =
      Table::open(file, clock, {OpenMode::kExclusive, kSoundAlias, {}});
  if (!opened) return opened.status();
  Table& t = **opened;
  for (const SoundSlot& slot : shippedSoundSlots()) {
    s = appendSlot(t, slot);
    if (!s) return s;
  }
  s = t.commit();
  if (!s) return s;
  return t.close();
}

}  // namespace zrv
