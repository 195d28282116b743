// The table commands of the "Datei" menu without their file dialogs: a new table, opening a
// table, deleting a table. Each takes the path the user chose ("" when the dialog was
// cancelled); only its file name counts, every table lives in the program directory.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace zrv {

struct Context;

// The search for the next appointment (chkNext of the due check), called with a caller tag.
using ChkNextFn = std::function<void(Context&, std::string_view caller)>;

// dateiNeu: the chosen name, without directory and ".TER", trimmed, upper case, cut to 8
// characters, becomes a new table (buildDbase, then useTable). When the table exists the user is
// asked whether to overwrite it (default no); on yes its files are deleted, the table is built
// anew, checked and opened, and `chkNext` runs with "DateiNeu". A table that another program
// holds is never deleted.
void dateiNeu(Context& ctx, std::string_view chosen, const ChkNextFn& chkNext);

// dbfOpen: when the chosen file exists and names another table than CN_FILE, that table becomes
// the table in use (useTable; a table outside the program directory is not found there:
// checkDbf then opens "ZORVANE"). Returns true.
bool dbfOpen(Context& ctx, std::string_view chosen);

// dateiDel: deletes all files of the chosen table after the user's yes (default no); the
// table in use (CN_FILE, whatever the case) is refused with a message, and so is a table that
// another program holds.
void dateiDel(Context& ctx, std::string_view chosen);

}  // namespace zrv
