#include "store/appointment_table.h"

#include <system_error>

#include "store/appointment_record.h"
#include "store/file_names.h"

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
  auto table = Table::open(appointmentTableFile(base), clock, topts);
  if (!table) return table.status();
  Table& t = **table;
  std::error_code ec;
  if (options.rebuildIndexes || !fs::exists(appointmentIndexFile(base, 1), ec)) {
    std::vector<std::pair<fs::path, IndexDef>> files;
    for (int i = 1; i <= 4; ++i) {
      files.emplace_back(appointmentIndexFile(base, i), defOf(appointmentIndexes()[i - 1]));
    }
    if (Status s = t.createIndexes(files); !s) return s;
  } else {
    for (int i = 1; i <= 4; ++i) {
      const fs::path file = appointmentIndexFile(base, i);
      const IndexDef def = defOf(appointmentIndexes()[i - 1]);
      if (fs::exists(file, ec)) {
        if (Status s = t.openIndex(file, &def); !s) return s;
        continue;
      }
      if (Status s = t.createIndex(file, def); !s) return s;
      if (options.onNote) {
        options.onNote("Der Index " + file.filename().string() + " fehlte und wurde aufgebaut.");
      }
    }
  }
  if (Status s = t.setOrder(1); !s) return s;
  if (Status s = t.goTop(); !s) return s;
  return std::unique_ptr<AppointmentTable>(new AppointmentTable(base, std::move(*table)));
}

Status AppointmentTable::setView(int view) {
  if (Status s = table_->setOrder(orderForView(view)); !s) return s;
  return table_->goTop();
}

Result<Appointment> AppointmentTable::read() const {
  return readAppointment(*table_);
}

Status AppointmentTable::write(const Appointment& a) {
  return writeAppointment(*table_, a);
}

Status AppointmentTable::append(const Appointment& a) {
  if (Status s = table_->append(); !s) return s;
  if (Status s = writeAppointment(*table_, a); !s) return s;
  return table_->flush();
}

}  // namespace zrv
