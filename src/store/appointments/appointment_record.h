// The record format of the appointment table and the conversion between its current record
// and an Appointment, field by field by name (so older structures still read).
#pragma once

#include "store/appointments/appointment.h"
#include "store/base/status.h"
#include "store/xbase/table.h"
#include "store/xbase/table_structure.h"

namespace zrv {

// The text of an appointment whose memo cannot be read.
inline constexpr const char* kUnreadableText = "(Text nicht lesbar)";

// The 28 fields of the appointment table in their order (name, type, width, decimals).
Structure terStruct();

// Reads the current record. Fields the table does not have keep their defaults. Texts are
// UTF-8 without trailing blanks, except the masks WEEKDAYS and MONTH, which are padded with
// blanks to 7 and 12 characters so that positions can be indexed. On the phantom record (eof)
// every field is empty. A memo that cannot be read (damaged memo file) gives the text
// kUnreadableText and the rest of the record; the problem goes to `memoProblem` when given.
Result<Appointment> readAppointment(const Table& table, Status* memoProblem = nullptr);
// The same for a record read without moving the current record (Table::readAt).
Result<Appointment> readAppointment(const RecordView& record, Status* memoProblem = nullptr);

// Puts every field of `a` that the table has into the current record; the change reaches the
// files at the next flush/commit/move. Texts are cut to the field width; TEXT is written to the
// memo file only when it differs from the stored text. Does not apply the trigger rule (see
// trigger.h). Errors: a number that does not fit its field (kInvalidArgument), eof.
Status writeAppointment(Table& table, const Appointment& a);

}  // namespace zrv
