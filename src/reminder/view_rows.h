// The rows of the appointment list: the record numbers of the current view's order, taken a
// stretch at a time (the first when the list is loaded, the next ones as the list is scrolled
// towards their end), so that a list of any length starts as fast as a short one, and the
// rows' contents, read when they are first shown and kept until the next reload.
//
// Reading never moves the table: DTER's current record is shared with the due check and the
// alert actions, so the rows are walked and read with the table's read cursor.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "reminder/list_row.h"
#include "store/base/status.h"

namespace zrv {

class AppointmentTable;

class ViewRows {
 public:
  // Takes the record numbers of the controlling order from its first record to its end
  // (deleted records are hidden by the table) and forgets the contents read so far. On a
  // failure the view is empty and the status tells why.
  Status reload(AppointmentTable& table);
  // Takes the next stretch of the order; false when there was none (or it failed).
  bool extend(AppointmentTable& table);
  // Takes the rest of the order.
  void extendToEnd(AppointmentTable& table);
  // Whether every row of the order has been taken.
  bool complete() const { return complete_; }
  // The row of `recno`, taking further stretches until it is found; -1 when the order does
  // not hold it.
  int findRow(AppointmentTable& table, std::uint32_t recno);

  // The rows taken so far.
  int size() const { return static_cast<int>(recnos_.size()); }
  // The record number of row `row` (0-based); 0 outside the rows.
  std::uint32_t recnoAt(int row) const;
  // The row of record `recno`; -1 when the view does not hold it.
  int rowOf(std::uint32_t recno) const;

  // The contents of row `row`, read from the table at the first call; an empty row outside
  // the rows or when the record cannot be read.
  const ListRow& row(AppointmentTable& table, int row);

 private:
  // Rows kept at most; past it the kept rows are dropped and read again when shown.
  static constexpr std::size_t kCachedRows = 2048;
  // Rows taken at a time: more than a screen holds.
  static constexpr std::size_t kStretch = 500;

  std::vector<std::uint32_t> recnos_;
  std::size_t nextEntry_ = 0;
  bool complete_ = true;
  std::unordered_map<int, ListRow> cache_;
  ListRow empty_;
};

}  // namespace zrv
