// The lock of one appointment record for the time of one change: taken when constructed,
// released when the object goes out of scope, whatever way the change ends.
#pragma once

#include <cstdint>

#include "store/appointments/appointment_table.h"

namespace zrv {

class RecordLock {
 public:
  // Locks the current record of `table`; never waits (see Table::lockRecord).
  explicit RecordLock(AppointmentTable& table)
      : table_(table), recno_(table.recNo()), status_(table.lockRecord()) {}
  ~RecordLock() { release(); }
  RecordLock(const RecordLock&) = delete;
  RecordLock& operator=(const RecordLock&) = delete;

  bool locked() const { return status_.isOk(); }
  const Status& status() const { return status_; }
  // Unlocks now rather than at the end of the scope.
  void release() {
    if (status_.isOk() && !released_) table_.table().unlockRecord(recno_);
    released_ = true;
  }

 private:
  AppointmentTable& table_;
  std::uint32_t recno_;
  Status status_;
  bool released_ = false;
};

}  // namespace zrv
