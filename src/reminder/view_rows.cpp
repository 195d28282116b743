#include "reminder/view_rows.h"

#include <algorithm>

#include "store/appointments/appointment_table.h"

namespace zrv {

Status ViewRows::reload(AppointmentTable& table) {
  recnos_.clear();
  cache_.clear();
  nextEntry_ = 0;
  complete_ = false;
  auto page = table.orderPage(0, kStretch);
  if (!page) {
    complete_ = true;
    return page.status();
  }
  recnos_ = std::move(page->recnos);
  nextEntry_ = page->nextEntry;
  complete_ = page->atEnd;
  return {};
}

bool ViewRows::extend(AppointmentTable& table) {
  if (complete_) return false;
  auto page = table.orderPage(nextEntry_, kStretch);
  if (!page) {
    complete_ = true;
    return false;
  }
  recnos_.insert(recnos_.end(), page->recnos.begin(), page->recnos.end());
  nextEntry_ = page->nextEntry;
  complete_ = page->atEnd;
  return !page->recnos.empty() || !complete_;
}

void ViewRows::extendToEnd(AppointmentTable& table) {
  while (extend(table)) {
  }
}

int ViewRows::findRow(AppointmentTable& table, std::uint32_t recno) {
  for (std::size_t from = 0;;) {
    const auto it = std::find(recnos_.begin() + static_cast<long>(from), recnos_.end(), recno);
    if (it != recnos_.end()) return static_cast<int>(it - recnos_.begin());
    from = recnos_.size();
    if (!extend(table)) return -1;
  }
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
  if (const Result<Appointment> a = table.readAt(recno); a.isOk()) content = listRowOf(*a);
  return cache_.emplace(row, std::move(content)).first->second;
}

}  // namespace zrv
