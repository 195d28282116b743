// Removing users from the registry: a workstation uninstalling its own user (delLanSet) and the
// cleaning of entries whose table is gone (optimizeUsers).
#pragma once

#include <filesystem>
#include <vector>

#include "network/user_registry.h"

namespace zrv {

struct Context;

// Told when delLanSet cannot hold what it would delete.
inline constexpr const char* kUninstallBusy =
    "Zorvane kann im Moment nicht deinstalliert werden. Die Benutzerliste oder Ihre "
    "Termindatei wird gerade benutzt.";

// delLanSet: after the user's yes to "Zorvane deinstallieren ?" (default no), removes this
// workstation's user CS_USER: his table's files (unless another entry names the same table),
// his registry entry, and the workstation settings file, which is not written again. Everything
// is held exclusively first, the registry and the user's table; when either is in use elsewhere
// the user is told (kUninstallBusy) and nothing changes. The table in use is closed. True when
// the user was removed: the program is to end. A user not in the registry changes nothing.
bool delLanSet(Context& ctx);

// The entries among `entries` whose table (<file>.TER, any case) is not in `dir`, found with
// one listing of the directory.
std::vector<UserEntry> missingTables(const std::filesystem::path& dir,
                                     const std::vector<UserEntry>& entries);

// optimizeUsers: after the user's yes to "Benutzerdatei optimieren ?", asks for every entry
// whose table is missing whether to delete it; the chosen entries (and what is left of their
// tables' files) are deleted afterwards under the registry's exclusive open, each only if it is
// still there and its table still missing, and the registry is packed at exit (LS_PACK). The
// registry is not held while the user is asked.
void optimizeUsers(Context& ctx);

}  // namespace zrv
