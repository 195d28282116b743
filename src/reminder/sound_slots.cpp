#include "reminder/sound_slots.h"

#include <memory>
#include <optional>
#include <system_error>

#include "app/context.h"
#include "app/run_files.h"
#include "ports/sound_port.h"
#include "reminder/sound_table.h"
#include "reminder/text_util.h"
#include "store/base/file_names.h"
#include "store/base/logbook.h"
#include "store/xbase/table.h"

namespace zrv {
namespace {

constexpr const char* kPlace = "QLPlaySound";

void playFile(const Context& ctx, SoundPlayer& player, std::string_view stored) {
  const std::string file = trimBlanks(stored);
  player.play(file.empty() ? std::filesystem::path() : resolveStoredPath(ctx.CRUNIN, file));
}

void eraseTemporaryIndex(const Context& ctx) {
  std::error_code ec;
  std::filesystem::remove(runFile(ctx, kSoundIndexFile), ec);
}

// The sound table opened shared for one call, indexed on the slot key; nullptr (logged) when it
// cannot be opened or indexed.
std::unique_ptr<Table> openSoundTable(const Context& ctx) {
  Result<std::unique_ptr<Table>> opened = Table::open(
      findFile(ctx.CRUNIN, kSoundTableFile), ctx.clock, {OpenMode::kShared, kSoundAlias, {}});
  if (!opened) {
    ctx.log.log(kPlace, opened.message());
    return nullptr;
  }
  std::unique_ptr<Table> t = std::move(opened).value();
  const Status indexed =
      t->createIndex(runFile(ctx, kSoundIndexFile), IndexDef{kSoundIndexKey, "", false, {}});
  if (!indexed) {
    ctx.log.log(kPlace, indexed.message());
    return nullptr;
  }
  return t;
}

bool seekSlot(Table& t, int area, int number) {
  const Result<bool> found = t.seek(soundSlotKey(area, number));
  return found.isOk() && *found;
}

std::string soundOf(const Table& t) {
  const Result<std::string> s = t.getString("SOUND");
  return s.isOk() ? *s : std::string();
}

bool slotSwitchedOn(const Table& t) {
  const Result<bool> marked = t.getLogical("MARKED");
  const Result<bool> active = t.getLogical("AKTIV");
  return marked.isOk() && *marked && active.isOk() && *active;
}

}  // namespace

bool qlPlaySound(const Context& ctx, SoundPlayer& player, int area, int number,
                 std::string_view file, Table* openDsnd) {
  if (area == kSoundStop) {
    player.stop();
    return true;
  }
  if (area == kSoundFile) {
    playFile(ctx, player, file);
  } else {
    std::unique_ptr<Table> own;
    Table* t = openDsnd;
    if (!t) {
      own = openSoundTable(ctx);
      t = own.get();
    }
    if (t && seekSlot(*t, area, number) && slotSwitchedOn(*t)) {
      const std::string sound = soundOf(*t);
      if (!isBlank(sound)) playFile(ctx, player, sound);
    }
    if (own) (void)own->close();
  }
  // An index the sound settings hold open stays theirs.
  if (!openDsnd) eraseTemporaryIndex(ctx);
  return true;
}

std::string qlGetPSound(const Context& ctx, int area, int number) {
  std::string sound;
  if (std::unique_ptr<Table> t = openSoundTable(ctx)) {
    bool found = seekSlot(*t, area, number);
    if (!found || (area == 8 && soundOf(*t).empty())) found = seekSlot(*t, 8, 1);
    if (found) sound = soundOf(*t);
    (void)t->close();
  }
  eraseTemporaryIndex(ctx);
  return sound;
}

std::vector<std::string> slotSounds(const Context& ctx, const std::vector<SoundSlot>& slots) {
  std::vector<std::string> sounds(slots.size());
  if (std::unique_ptr<Table> t = openSoundTable(ctx)) {
    for (std::size_t i = 0; i < slots.size(); ++i) {
      if (seekSlot(*t, slots[i].area, slots[i].number)) sounds[i] = soundOf(*t);
    }
    (void)t->close();
  }
  eraseTemporaryIndex(ctx);
  return sounds;
}

}  // namespace zrv
