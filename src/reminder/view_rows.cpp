#include "reminder/view_rows.h"

#include <algorithm>

#include "store/appointments/appointment_table.h"

namespace zrv {

KeepPosition::KeepPosition(AppointmentTable& table)
    : table_(table), recno_(table.recNo()), eof_(table.eof()) {}

KeepPosition::~KeepPosition() {
  // A failed return leaves the table where the read left it; the next move of its owner
  // (a new search for the next appointment, a list action) positions it anew.
  (void)table_.goTo(eof_ ? 0 : recno_);
}

Status ViewRows::reload(AppointmentTable& table) {
  recnos_.clear();
  cache_.clear();
  KeepPosition keep(table);
  Status s = table.goTop();
  while (s && !table.eof()) {
    recnos_.push_back(table.recNo());
    s = table.skip(1);
  }
  return s;
}

std::uint32_t ViewRows::recnoAt(int row) const {
  if (row < 0 || row >= size()) return 0;
  return recnos_[static_cast<std::size_t>(row)];
}

int ViewRows::rowOf(std::uint32_t recno) const {
  const auto it = std::find(recnos_.begin(), recnos_.end(), recno);
  return it == recnos_.end() ? -1 : static_cast<int>(it - recnos_.begin());
}

const ListRow& ViewRows::row(AppointmentTable& table, int row) {
  const std::uint32_t recno = recnoAt(row);
  if (recno == 0) return empty_;
  if (const auto it = cache_.find(row); it != cache_.end()) return it->second;
  if (cache_.size() >= kCachedRows) cache_.clear();
  ListRow content;
  {
    KeepPosition keep(table);
    if (table.goTo(recno).isOk() && !table.eof()) {
      if (const Result<Appointment> a = table.read(); a.isOk()) content = listRowOf(*a);
    }
  }
  return cache_.emplace(row, std::move(content)).first->second;
}

}  // namespace zrv
