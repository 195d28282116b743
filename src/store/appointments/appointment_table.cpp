#include "store/appointments/appointment_table.h"

#include <system_error>

#include "store/appointments/appointment_record.h"
#include "store/base/file_names.h"

namespace zrv {
namespace fs = std::filesystem;

namespace {

fs::path sibling(const fs::path& base, const char* extension) {
  return findFile(base.parent_path(), base.filename().string() + extension);
}

IndexDef defOf(const AppointmentIndex& ix) {
  return IndexDef{ix.key, ix.forCondition, false, {}};
}

}  // namespace

const std::array<AppointmentIndex, 4>& appointmentIndexes() {
  static const std::array<AppointmentIndex, 4> kIndexes = {{
      {".NT1", "dtos(DTER->TDATE)+DTER->TTIME", ".not. DTER->QUIT"},
      {".NT2", "dtos(DTER->TDATE)+DTER->TTIME", "DTER->QUIT"},
      {".NT3", "dtos(DTER->TDATE)+DTER->TTIME", "DTER->DATE=date() .and. .not. DTER->QUIT"},
      {".NT4", "dtos(DTER->TDATE)+DTER->TTIME",
       "DTER->DATE<date() .and. .not. DTER->QUIT .and. DTER->VORLAGE=1"},
  }};
  return kIndexes;
}

int orderForView(int view) {
  switch (view) {
    case 2:
      return 3;
    case 3:
      return 2;
    default:
      return 1;
  }
}

fs::path appointmentTableFile(const fs::path& base) {
  return sibling(base, ".TER");
}
fs::path appointmentMemoFile(const fs::path& base) {
  return sibling(base, ".DBT");
}
fs::path appointmentIndexFile(const fs::path& base, int number) {
  return sibling(base, appointmentIndexes().at(static_cast<std::size_t>(number - 1)).extension);
}

Result<std::unique_ptr<AppointmentTable>> AppointmentTable::open(const fs::path& base,
                                                                 const Clock& clock,
                                                                 Options options) {
  Table::Options topts;
  topts.mode = options.mode;
  topts.alias = "DTER";
  topts.onNote = options.onNote;
  topts.journalCheckpointBytes = options.journalCheckpointBytes;
  auto table = Table::open(appointmentTableFile(base), clock, topts);
  if (!table) return table.status();
  std::unique_ptr<AppointmentTable> t(
      new AppointmentTable(base, std::move(*table), std::move(options.onNote)));
  const bool dayIndexes = options.mode == OpenMode::kExclusive && options.dayIndexes;
  if (Status s = t->openIndexes(options.rebuildIndexes, dayIndexes, options.checkIndexPages); !s) {
    return s;
  }
  const bool unclean = options.verify || t->table_->uncleanEnd();
  if (unclean && options.mode == OpenMode::kExclusive) {
    if (Status s = t->table_->verify(); !s) return s;
  }
  if (dayIndexes) {
    if (Status s = t->rebuildDayIndexes(); !s) return s;
    if (t->onNote_) t->onNote_("Die Indexe .NT3 und .NT4 wurden für den heutigen Tag aufgebaut.");
  }
  if (Status s = t->goTop(); !s) return s;
  return t;
}

Status AppointmentTable::reopenIndexes() {
  const std::uint32_t recno = table_->recNo();
  if (Status s = table_->closeIndexes(); !s) return s;
  if (Status s = openIndexes(false, false); !s) return s;
  return table_->goTo(recno);  // building an index moves to the first record
}

// All four are built in one pass when asked to or when .NT1 is missing; otherwise each file is
// opened (rebuilt when damaged) and only a missing one is built. With `dayIndexesFollow` the
// pages of .NT3 and .NT4 are not checked: rebuildDayIndexes replaces them next.
Status AppointmentTable::openIndexes(bool rebuild, bool dayIndexesFollow, bool checkPages) {
  std::error_code ec;
  if (rebuild || !fs::exists(appointmentIndexFile(base_, 1), ec)) {
    std::vector<std::pair<fs::path, IndexDef>> files;
    for (int i = 1; i <= 4; ++i) {
      files.emplace_back(appointmentIndexFile(base_, i), defOf(appointmentIndexes()[i - 1]));
    }
    if (Status s = table_->createIndexes(files); !s) return s;
    return table_->setOrder(1);
  }
  for (int i = 1; i <= 4; ++i) {
    const fs::path file = appointmentIndexFile(base_, i);
    const IndexDef def = defOf(appointmentIndexes()[i - 1]);
    if (fs::exists(file, ec)) {
      const Status s = dayIndexesFollow && i >= 3 ? table_->openIndexToRebuild(file, &def)
                       : checkPages               ? table_->openIndex(file, &def)
                                                  : table_->openIndexUnchecked(file, &def);
      if (!s) return s;
      continue;
    }
    if (Status s = table_->createIndex(file, def); !s) return s;
    if (onNote_) onNote_("Der Index " + file.filename().string() + " fehlte und wurde aufgebaut.");
  }
  return table_->setOrder(1);
}

Status AppointmentTable::setView(int view) {
  if (Status s = table_->setOrder(orderForView(view)); !s) return s;
  return table_->goTop();
}

CurrentRecord AppointmentTable::firstCurrent(const std::set<std::uint32_t>& skipped) {
  const int order = table_->order();
  const std::uint32_t back = table_->recNo();
  CurrentRecord found;
  found.status = table_->setOrder(1);
  if (found.status) found.status = table_->goTop();
  while (found.status && !table_->eof() && skipped.count(table_->recNo())) {
    found.status = table_->skip(1);
  }
  if (found.status && !table_->eof()) {
    found.recno = table_->recNo();
    Result<Appointment> a = read();
    if (a) {
      found.appointment = std::move(a).value();
    } else {
      found.status = a.status();
    }
  }
  const Status restored = table_->setOrder(order);
  const Status moved = table_->goTo(back);
  if (found.status && !restored) found.status = restored;
  if (found.status && !moved) found.status = moved;
  return found;
}

Status AppointmentTable::rebuildDayIndexes() {
  // Shared users may hold the files open; their keys stay as the day's first writer left them.
  if (table_->mode() != OpenMode::kExclusive) return {};
  const std::uint32_t back = table_->recNo();
  std::vector<int> orders;
  const fs::path today = appointmentIndexFile(base_, 3).lexically_normal();
  const fs::path past = appointmentIndexFile(base_, 4).lexically_normal();
  for (int order = 1; order <= table_->orderCount(); ++order) {
    const fs::path file = table_->indexFile(order).lexically_normal();
    if (file == today || file == past) orders.push_back(order);
  }
  // Built anew at every open, so a crash cannot leave a stale one: no flush to disk needed.
  if (Status s = table_->reindex(orders, false); !s) return s;
  return table_->goTo(back);
}

Result<Appointment> AppointmentTable::read() {
  Status memoProblem;
  auto a = readAppointment(*table_, &memoProblem);
  if (!memoProblem) noteUnreadableMemo(table_->recNo(), memoProblem);
  return a;
}

void AppointmentTable::noteUnreadableMemo(std::uint32_t recno, const Status& problem) {
  if (!onNote_ || !unreadableMemos_.insert(recno).second) return;
  onNote_("Der Text des Termins in Datensatz " + std::to_string(recno) +
          " ist nicht lesbar: " + problem.message());
}

Status AppointmentTable::write(const Appointment& a) {
  return writeAppointment(*table_, a);
}

Status AppointmentTable::append(const Appointment& a) {
  if (Status s = table_->append(); !s) return s;
  if (Status s = writeAppointment(*table_, a); !s) return s;
  return table_->flush();
}

Result<Appointment> AppointmentTable::readAt(std::uint32_t recno, bool* deleted) {
  auto record = table_->readAt(recno);
  if (!record) return record.status();
  if (deleted) *deleted = record->isDeleted();
  Status memoProblem;
  auto a = readAppointment(*record, &memoProblem);
  if (!memoProblem) noteUnreadableMemo(recno, memoProblem);
  return a;
}

}  // namespace zrv
