// The program's TableListener: holds the reminder engine over the table in use and keeps the
// main window on it. The engine is made when the first table is open (a start without a table
// gets its due check then) and otherwise rebound in place (ReminderEnv::follow), so references
// to it stay valid; the list or the week overview is built anew over the new table.
#pragma once

#include <functional>
#include <memory>

#include "app/table_in_use.h"

namespace zrv {

class AppointmentTable;
class MainFrame;
struct ReminderEnv;

class TableFollower : public TableListener {
 public:
  // Makes the engine over a table with the program's ports.
  using MakeEnv = std::function<std::unique_ptr<ReminderEnv>(AppointmentTable&)>;

  // `frame` must outlive this object.
  TableFollower(MainFrame& frame, MakeEnv makeEnv);
  ~TableFollower() override;
  TableFollower(const TableFollower&) = delete;
  TableFollower& operator=(const TableFollower&) = delete;

  // Start-up, once the window exists: the engine over ctx.DTER when a table is open, handed to
  // the window (which stays empty without one).
  void start(Context& ctx);
  // The engine; null until a table has been open.
  ReminderEnv* env() const { return env_.get(); }
  // One tick of the due check; nothing while no table is open.
  void dueCheck(Context& ctx);
  // Shut-down: the engine lets go of the table.
  void drop() { env_.reset(); }

  // TableListener
  void tableChanged(Context& ctx) override;
  // The window lets go of the table (the list shows nothing) until the next tableChanged.
  void tableClosing(Context& ctx) override;

 private:
  MainFrame& frame_;
  MakeEnv makeEnv_;
  std::unique_ptr<ReminderEnv> env_;
};

}  // namespace zrv
