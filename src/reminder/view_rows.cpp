#include "reminder/view_rows.h"

#include <algorithm>

#include "store/appointments/appointment_table.h"

namespace zrv {

Status ViewRows::reload(AppointmentTable& table) {
  recnos_.clear();
  cache_.clear();
  auto recnos = table.orderRecnos();
  if (!recnos) return recnos.status();
  recnos_ = std::move(*recnos);
  return {};
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
