// The table in use and the steps that change it. Whoever keeps the table or something read
// from it (the reminder engine, the list, the week overview, the tray text) follows through a
// TableListener; "Öffnen", "Neu" and a change of user all go through useTable(), and whoever
// closes the table in use (deleting it, the first start, the end of the run) through
// closeTableInUse().
#pragma once

#include <functional>
#include <string>

#include "store/base/status.h"

namespace zrv {

struct Context;

class TableListener {
 public:
  virtual ~TableListener() = default;
  // The table in use was opened anew (another table, or the same one rebuilt); ctx.DTER is
  // open, on the first record of the view NS_TODAY. Also after a failed change, when the
  // previous table has been opened again; ctx.DTER is empty only when no table could be
  // opened at all.
  virtual void tableChanged(Context& ctx) = 0;
  // The table in use is about to be closed (ctx.DTER still open): from now until the next
  // tableChanged nothing may read it, also while a message box is open in between.
  virtual void tableClosing(Context& ctx) = 0;
};

// For a context nobody follows: start-up before the windows, tests of single steps.
class NoTableListener : public TableListener {
 public:
  void tableChanged(Context&) override {}
  void tableClosing(Context&) override {}
};

// Makes `name` (a table name as CN_FILE holds it) the table in use: the old table is closed,
// checkDbf opens the new one, and the listener follows. When the new table cannot be opened
// (held by another program, damaged: checkDbf has said why) the previous table is opened
// again and the user is told that it stays in use (failing that, the table "ZORVANE"). True
// when `name` is in use now.
bool useTable(Context& ctx, const std::string& name);
// The same when the table in use has already been closed: `previous` names it ("" for none).
bool useTable(Context& ctx, const std::string& name, const std::string& previous);

// checkDbf for CN_FILE as it stands (a table rebuilt in place), then the listener follows.
bool reopenTable(Context& ctx);

// Closes the table in use, the listener told first; nothing when none is open. The status of
// the closing (the last writes of the table).
Status closeTableInUse(Context& ctx);
// The same, running `whileHeld` after the listener was told and before the table is let go: its
// files deleted there were never open to anyone else (the close then writes into files no
// longer in the directory, and discards its journal). `whileHeld` runs also when no table is
// open.
Status closeTableInUse(Context& ctx, const std::function<void()>& whileHeld);

}  // namespace zrv
