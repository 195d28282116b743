#include "settings/sound_settings.h"

#include <system_error>
#include <utility>

#include "app/context.h"
#include "app/setting_keys.h"
#include "app/settings_file.h"
#include "reminder/sound_slots.h"
#include "reminder/sound_table.h"
#include "store/base/codepage.h"
#include "store/base/file_names.h"
#include "store/base/logbook.h"
#include "store/xbase/table.h"

namespace zrv {
namespace {

constexpr const char* kPlace = "SetupSound";

void eraseIndex(const Context& ctx) {
  std::error_code ec;
  std::filesystem::remove(findFile(ctx.CRUNIN, kSoundIndexFile), ec);
}

std::optional<SoundRow> readRow(Table& t, std::uint32_t recno) {
  Result<RecordView> v = t.readAt(recno);
  if (!v) return std::nullopt;
  const Result<double> area = v->getNumber("BEREICH");
  const Result<double> number = v->getNumber("NUMMER");
  const Result<std::string> option = v->getString("OPTION");
  const Result<std::string> sound = v->getString("SOUND");
  const Result<bool> active = v->getLogical("AKTIV");
  const Result<bool> marked = v->getLogical("MARKED");
  const Result<bool> switchable = v->getLogical("SWITCH");
  if (!area || !number || !option || !sound || !active || !marked || !switchable) {
    return std::nullopt;
  }
  return SoundRow{recno,
                  static_cast<int>(*area),
                  static_cast<int>(*number),
                  *option,
                  *sound,
                  *active,
                  *marked,
                  *switchable};
}

bool isStartSound(const SoundRow& r) {
  return r.BEREICH == 1 && r.NUMMER == 1;
}

bool blank(const std::string& s) {
  return s.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

const char* soundMark(const SoundRow& row) {
  if (!row.MARKED) return "Mark0";
  return row.AKTIV ? "Mark1" : "Mark2";
}

SoundRowKind soundRowKind(const SoundRow& row) {
  if (!row.SWITCH) return SoundRowKind::Fixed;
  if (row.BEREICH == 0) return SoundRowKind::Master;
  return row.NUMMER == 0 ? SoundRowKind::Header : SoundRowKind::Entry;
}

std::unique_ptr<SoundSettings> SoundSettings::open(Context& ctx) {
  Table::Options options{OpenMode::kExclusive, kSoundAlias, {}};
  // A switched sound is in the file at once, for the sound player and any other reader.
  options.journalCheckpointBytes = 0;
  Result<std::unique_ptr<Table>> opened =
      Table::open(findFile(ctx.CRUNIN, kSoundTableFile), ctx.clock, options);
  if (!opened) {
    ctx.log.log(kPlace, opened.message());
    return nullptr;
  }
  std::unique_ptr<Table> table = std::move(opened).value();
  const Status indexed = table->createTemporaryIndex(findFile(ctx.CRUNIN, kSoundIndexFile),
                                                     IndexDef{kSoundIndexKey, "", false, {}});
  if (!indexed) {
    ctx.log.log(kPlace, indexed.message());
    (void)table->close();
    eraseIndex(ctx);
    return nullptr;
  }
  std::unique_ptr<SoundSettings> settings(new SoundSettings(ctx, std::move(table)));
  if (!settings->load()) {
    ctx.log.log(kPlace, std::string(kSoundTableFile) + " kann nicht gelesen werden");
    return nullptr;  // the destructor closes the table and erases the index
  }
  if (!settings->rows_.empty()) ctx.settings.LS_ALARMON = settings->rows_.front().AKTIV;
  settings->select(0);
  return settings;
}

SoundSettings::SoundSettings(Context& ctx, std::unique_ptr<Table> table)
    : ctx_(ctx), table_(std::move(table)) {}

SoundSettings::~SoundSettings() {
  if (!table_) return;
  (void)table_->close();
  eraseIndex(ctx_);
}

bool SoundSettings::load() {
  Result<std::vector<std::uint32_t>> recnos = table_->orderRecnos(1);
  if (!recnos) return false;
  std::vector<SoundRow> rows;
  for (const std::uint32_t recno : *recnos) {
    std::optional<SoundRow> row = readRow(*table_, recno);
    if (!row) return false;
    rows.push_back(std::move(*row));
  }
  rows_ = std::move(rows);
  return true;
}

SoundButtons SoundSettings::buttons() const {
  SoundButtons b;
  if (rows_.empty()) return b;
  const SoundRow& r = rows_[current_];
  b.ticked = r.MARKED;
  b.tickEnabled = r.NUMMER > 0 && r.SWITCH;
  b.fileEnabled = r.NUMMER > 0;
  b.playEnabled = !blank(CSFILE_);
  b.deleteEnabled = r.NUMMER > 1 && !blank(r.SOUND);
  return b;
}

void SoundSettings::select(std::size_t row) {
  if (row >= rows_.size()) return;
  current_ = row;
  CSNAME_ = rows_[row].OPTION;
  CSFILE_ = rows_[row].SOUND;
}

void SoundSettings::change(const std::vector<std::pair<std::size_t, SoundRow>>& rows) {
  Status s;
  for (const auto& [index, wanted] : rows) {
    const SoundRow& now = rows_[index];
    if (s) s = table_->goTo(now.recno);
    if (s && wanted.SOUND != now.SOUND) s = table_->setString("SOUND", wanted.SOUND);
    if (s && wanted.AKTIV != now.AKTIV) s = table_->setLogical("AKTIV", wanted.AKTIV);
    if (s && wanted.MARKED != now.MARKED) s = table_->setLogical("MARKED", wanted.MARKED);
  }
  if (s) s = table_->commit();
  if (!s) ctx_.log.log(kPlace, "Speichern - FEHLER: " + s.message());
  // The list shows what the table holds, also after a failed write.
  if (!load()) ctx_.log.log(kPlace, std::string(kSoundTableFile) + " kann nicht gelesen werden");
  select(current_);
}

void SoundSettings::doubleClick(std::size_t row) {
  if (row >= rows_.size()) return;
  select(row);
  SoundRow r = rows_[row];
  if (r.BEREICH == 0) {
    // The master row switches every sound and the list goes to the top.
    r.AKTIV = !r.AKTIV;
    r.MARKED = !r.MARKED;
    std::vector<std::pair<std::size_t, SoundRow>> changed{{row, r}};
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      if (rows_[i].BEREICH <= 0) continue;
      SoundRow other = rows_[i];
      other.AKTIV = r.AKTIV;
      changed.emplace_back(i, other);
    }
    change(changed);
    ctx_.settings.LS_ALARMON = rows_[row].AKTIV;
    select(0);
  } else if (r.NUMMER == 0) {
    switchArea(row);
  } else if (!isStartSound(r)) {
    r.MARKED = !r.MARKED;
    change({{row, r}});
  }
}

// An area's header row: ticked or unticked, and every switchable row of the area (the header
// included) switched on or off with it.
void SoundSettings::switchArea(std::size_t header) {
  const SoundRow& h = rows_[header];
  const bool on = !h.MARKED;
  std::vector<std::pair<std::size_t, SoundRow>> changed;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].BEREICH != h.BEREICH) continue;
    SoundRow r = rows_[i];
    if (i == header) r.MARKED = on;
    if (r.SWITCH) r.AKTIV = on;
    changed.emplace_back(i, r);
  }
  change(changed);
}

bool SoundSettings::fitsSoundField(const std::string& sound) const {
  const int field = table_->fieldIndex("SOUND");
  const std::string stored = utf8ToCp1252(sound);
  return field >= 0 &&
         stored.size() <= static_cast<std::size_t>(table_->structure()[field].width) &&
         cp1252ToUtf8(stored) == sound;
}

std::optional<std::string> SoundSettings::chooseFile(SoundPlayer& player,
                                                     const FileDialogPort& dialog) {
  if (rows_.empty() || rows_[current_].NUMMER <= 0) return std::nullopt;
  SoundRow r = rows_[current_];
  const std::string chosen = qlGetSound(ctx_, player, r.SOUND, dialog, table_.get());
  if (chosen != r.SOUND && !fitsSoundField(chosen)) {
    ctx_.log.log(kPlace, "Sound-Datei abgelehnt: " + chosen);
    return kSoundPathRefused;
  }
  r.SOUND = chosen;
  r.AKTIV = true;
  r.MARKED = true;
  change({{current_, r}});
  const SoundRow& stored = rows_[current_];
  (void)qlPlaySound(ctx_, player, stored.BEREICH, stored.NUMMER, {}, table_.get());
  CSFILE_ = stored.SOUND;
  return std::nullopt;
}

void SoundSettings::toggleTick() {
  if (rows_.empty() || !buttons().tickEnabled) return;
  SoundRow r = rows_[current_];
  r.MARKED = !r.MARKED;
  change({{current_, r}});
}

void SoundSettings::clearSound() {
  if (rows_.empty() || !buttons().deleteEnabled) return;
  SoundRow r = rows_[current_];
  r.SOUND.clear();
  r.AKTIV = false;
  r.MARKED = false;
  change({{current_, r}});
}

void SoundSettings::playCurrent(SoundPlayer& player) {
  if (rows_.empty()) return;
  (void)qlPlaySound(ctx_, player, kSoundFile, 0, rows_[current_].SOUND, table_.get());
}

void SoundSettings::close() {
  if (!table_) return;
  (void)settingsFile(ctx_).setFlag(keys::AlarmOn, ctx_.settings.LS_ALARMON);
  (void)table_->close();
  table_.reset();
  eraseIndex(ctx_);
}

}  // namespace zrv
