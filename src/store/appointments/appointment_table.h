// The appointment table as the program holds it open under the name DTER: "<base>.TER" with
// its memo "<base>.DBT" and the four trigger-ordered indexes "<base>.NT1" .. ".NT4", and the
// list views that select them.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "store/appointments/appointment.h"
#include "store/base/status.h"
#include "store/xbase/table.h"

namespace zrv {

class Clock;

// A record found by AppointmentTable::firstCurrent.
struct CurrentRecord {
  std::uint32_t recno = 0;  // 0: there is none
  Status status;            // finding or reading it failed (recno names it when known)
  Appointment appointment;
};

struct AppointmentIndex {
  const char* extension;     // ".NT1"
  const char* key;           // stored in the header as written here
  const char* forCondition;  //
};

// The four index files in order number order: .NT1 current, .NT2 filed, .NT3 today's,
// .NT4 past once-only appointments (kept current, no view selects it).
const std::array<AppointmentIndex, 4>& appointmentIndexes();

// The controlling order of a list view: view 1 (current) -> order 1 (.NT1), view 2 (today's)
// -> order 3 (.NT3), view 3 (filed) -> order 2 (.NT2). Any other view gives order 1.
int orderForView(int view);

// The files of the table named by `base` (CN_FILE: directory and name without extension),
// found without regard to case; the created spelling when missing.
std::filesystem::path appointmentTableFile(const std::filesystem::path& base);
std::filesystem::path appointmentMemoFile(const std::filesystem::path& base);
// number 1..4
std::filesystem::path appointmentIndexFile(const std::filesystem::path& base, int number);

class AppointmentTable {
 public:
  struct Options {
    OpenMode mode = OpenMode::kExclusive;
    // Build all four index files from the table even when they exist (after an upgrade).
    bool rebuildIndexes = false;
    // The last run of the program did not end cleanly (its run marker outlived it): the
    // indexes and the memo header are checked against the table (exclusive use), as after a
    // journal found at the open.
    bool verify = false;
    // In exclusive use, .NT3 and .NT4 are built anew for today's date (their conditions name the
    // date, so they go stale overnight). Off, they are opened as they are.
    bool dayIndexes = true;
    // The pages of existing index files are checked at the open (damaged ones rebuilt). Off for
    // a run that only reads: its cost then does not grow with the table.
    bool checkIndexPages = true;
    // Told (German text, for the logbook) when an index file was missing, damaged or foreign
    // and therefore built anew, and what the open found of a journal (Table::Options::onNote).
    std::function<void(const std::string&)> onNote;
    // Exclusive use: the journal's size after which a commit checkpoints.
    std::size_t journalCheckpointBytes = Table::Options{}.journalCheckpointBytes;
  };

  // Opens "<base>.TER" under the alias DTER with the four index files in the order .NT1 ..
  // .NT4 (.NT1 controls) and goes to the first record. Missing index files are built, damaged
  // ones rebuilt. After an unclean end (Options::verify, or a journal found by the open) every
  // index is checked against the table and rebuilt when it does not match; in exclusive use
  // .NT3 / .NT4 are then built for today's date (both told through
  // onNote). `clock` must outlive the table.
  static Result<std::unique_ptr<AppointmentTable>> open(const std::filesystem::path& base,
                                                        const Clock& clock, Options options);

  Table& table() { return *table_; }
  const Table& table() const { return *table_; }
  const std::filesystem::path& base() const { return base_; }

  // Closes every index of the table (a temporary one of the calendar, say) and opens the four
  // index files again, building missing or damaged ones (told through onNote); order 1
  // controls; the current record stays.
  Status reopenIndexes();

  // Makes the view's order (orderForView) control and goes to its first record.
  Status setView(int view);

  // The first current appointment (order 1: not filed, earliest trigger) whose record number
  // is not in `skipped`, read. Whatever view the list shows: the controlling order and the
  // current record stay as they are.
  CurrentRecord firstCurrent(const std::set<std::uint32_t>& skipped = {});

  // Builds today's and the past once-only index (.NT3, .NT4) anew: their conditions name the
  // date, which counts only when a key is written, so they go stale at midnight. The
  // controlling order and the current record stay. Only in exclusive use (others may hold the
  // files open otherwise); does nothing in shared use.
  Status rebuildDayIndexes();

  // Navigation in the controlling order; deleted records are hidden.
  Status goTop() { return table_->goTop(); }
  Status skip(long n = 1) { return table_->skip(n); }
  Status goTo(std::uint32_t recno) { return table_->goTo(recno); }
  bool eof() const { return table_->eof(); }
  std::uint32_t recNo() const { return table_->recNo(); }
  bool isDeleted() const { return table_->isDeleted(); }

  // Reading without moving the current record, which is shared with the list, the due check
  // and the alert's actions: the record `recno` (`deleted` tells its flag), and the record
  // numbers of the controlling order, deleted ones left out.
  Result<Appointment> readAt(std::uint32_t recno, bool* deleted = nullptr);
  Result<std::vector<std::uint32_t>> orderRecnos() { return table_->orderRecnos(table_->order()); }
  // A stretch of the controlling order (see Table::orderPage).
  Result<Table::OrderPage> orderPage(std::size_t fromEntry, std::size_t maxLive) {
    return table_->orderPage(table_->order(), fromEntry, maxLive);
  }

  // The current record (see readAppointment / writeAppointment). An unreadable memo gives the
  // text "(Text nicht lesbar)" and one logbook line per record (through onNote).
  Result<Appointment> read();
  Status write(const Appointment& a);
  // Appends a record holding `a` and makes it current; flushed, not committed.
  Status append(const Appointment& a);
  Status deleteRecord() { return table_->deleteRecord(); }
  Status commit() { return table_->commit(); }
  // Removes deleted records and rebuilds the indexes; then on the first record.
  Status pack() { return table_->pack(); }

  Status lockRecord() { return table_->lockRecord(); }
  void unlockRecord() { table_->unlockRecord(table_->recNo()); }
  void unlockAll() { table_->unlockAll(); }

  Status close() { return table_->close(); }

 private:
  AppointmentTable(std::filesystem::path base, std::unique_ptr<Table> table,
                   std::function<void(const std::string&)> onNote)
      : base_(std::move(base)), table_(std::move(table)), onNote_(std::move(onNote)) {}
  Status openIndexes(bool rebuild, bool dayIndexesFollow, bool checkPages = true);
  void noteUnreadableMemo(std::uint32_t recno, const Status& problem);
  std::filesystem::path base_;
  std::unique_ptr<Table> table_;
  std::function<void(const std::string&)> onNote_;
  std::set<std::uint32_t> unreadableMemos_;  // already told
};

}  // namespace zrv
