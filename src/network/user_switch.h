// Switching to another user's appointment table: the user list of the registry.
#pragma once

#include <vector>

#include "network/user_registry.h"

namespace zrv {

struct Context;
class UserWindows;

// Every entry of the registry in name order, read with the registry opened for as short as
// possible (it is closed before anyone is asked anything).
Result<std::vector<UserEntry>> readUserList(Context& ctx);

// userList: the dialog "Benutzerliste" (help topic "Benutzer") over the registry's names; the
// chosen user's table becomes the table in use (useTable: a table another workstation holds is
// refused with its message and the current one stays). A user without a table is told
// "Für den gewählten Benutzer existiert keine Termindatei !". False (told) when the registry
// cannot be opened.
bool userList(Context& ctx, UserWindows& windows);

}  // namespace zrv
