#include "network/user_switch.h"

#include "app/context.h"
#include "app/help.h"
#include "app/table_in_use.h"
#include "app/table_names.h"
#include "app/table_problems.h"
#include "network/user_names.h"
#include "network/user_windows.h"
#include "ports/user_interface.h"
#include "store/base/logbook.h"

namespace zrv {

Result<std::vector<UserEntry>> readUserList(Context& ctx) {
  auto registry = UserRegistry::open(ctx, UserRegistry::Use::kLookup);
  if (!registry) return registry.status();
  auto all = registry->entries();
  if (Status s = registry->close(); !s && all) return s;
  return all;
}

bool userList(Context& ctx, UserWindows& windows) {
  const auto all = readUserList(ctx);
  if (!all) {
    ctx.log.log("UserList", all.message());
    ctx.ui.message(kProblemTitle, kRegistryBusy, Severity::Problem);
    return false;
  }
  std::vector<std::string> names;
  names.reserve(all->size());
  for (const UserEntry& e : *all)
    names.push_back(e.name);
  std::optional<std::size_t> chosen;
  {
    const ScopedHelpTopic topic(ctx.help, help_topic::kUsers, help_topic::kMain);
    chosen = windows.chooseUser(names);
  }
  if (!chosen || *chosen >= all->size()) return true;
  const std::string& file = (*all)[*chosen].file;
  if (!plainUserFile(file) || !tableExists(ctx.CRUNIN, file)) {
    ctx.ui.message(kProblemTitle, "Für den gewählten Benutzer existiert keine Termindatei !",
                   Severity::Problem);
    return true;
  }
  useTable(ctx, tableNameOf(file));
  return true;
}

}  // namespace zrv
