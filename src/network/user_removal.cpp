#include "network/user_removal.h"

#include <algorithm>
#include <memory>
#include <unordered_set>

#include "app/context.h"
#include "app/table_in_use.h"
#include "app/table_names.h"
#include "app/table_problems.h"
#include "network/user_names.h"
#include "network/user_switch.h"
#include "ports/user_interface.h"
#include "store/appointments/appointment_table.h"
#include "store/base/logbook.h"
#include "store/xbase/table.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

constexpr const char* kUninstallPlace = "DelLanSet";
constexpr const char* kOptimizePlace = "OptimizeUsers";

// Whether another entry than `me` names the table `file`: users of one surname share it.
bool tableShared(const std::vector<UserEntry>& all, const UserEntry& me) {
  return std::any_of(all.begin(), all.end(), [&](const UserEntry& e) {
    return e.recno != me.recno && sameTableName(e.file, me.file);
  });
}

void refuseUninstall(Context& ctx, const std::string& why) {
  ctx.log.log(kUninstallPlace, why);
  ctx.ui.message(kProblemTitle, kUninstallBusy, Severity::Problem);
}

// The user's table opened exclusively, so that nobody else has it while its files go; kLocked
// when another program holds it.
Result<std::unique_ptr<Table>> holdTable(Context& ctx, const std::string& file) {
  Table::Options options;
  options.mode = OpenMode::kExclusive;
  return Table::open(appointmentTableFile(tableBase(ctx.CRUNIN, file)), ctx.clock, options);
}

void removeWorkstationFile(Context& ctx) {
  // Only the workstation's own file: a settings file in the program directory is everyone's.
  if (ctx.CINIFILE != ctx.workstationIni) return;
  std::error_code ec;
  fs::remove(ctx.CINIFILE, ec);
  ctx.run.uninstalled = true;
}

}  // namespace

bool delLanSet(Context& ctx) {
  if (!ctx.ui.ask("Deinstallation", "Zorvane deinstallieren ?", false)) return false;
  auto registry = UserRegistry::open(ctx, UserRegistry::Use::kExclusive);
  if (!registry) {
    refuseUninstall(ctx, registry.message());
    return false;
  }
  const auto all = registry->entries();
  const auto me = registry->find(ctx.settings.CS_USER);
  if (!all || !me || !*me) {
    if (!all || !me) ctx.log.log(kUninstallPlace, all ? me.message() : all.message());
    (void)registry->close();
    return false;
  }
  const UserEntry user = **me;
  const bool deleteTable = plainUserFile(user.file) && !tableShared(*all, user);
  const bool inUse = ctx.DTER && sameTableName(ctx.settings.CN_FILE, user.file);
  std::unique_ptr<Table> held;
  if (deleteTable && !inUse && tableExists(ctx.CRUNIN, user.file)) {
    auto opened = holdTable(ctx, user.file);
    if (!opened) {
      (void)registry->close();
      refuseUninstall(ctx, opened.message());
      return false;
    }
    held = std::move(opened).value();
  }
  // The files go while they are held: nobody can open them in between.
  const auto deleteFiles = [&] {
    if (deleteTable && !deleteTableFiles(ctx.CRUNIN, user.file)) {
      ctx.log.log(kUninstallPlace, "Die Termindatei " + user.file + " ist nicht ganz gelöscht.");
    }
  };
  (void)closeTableInUse(ctx, inUse ? deleteFiles : std::function<void()>());
  if (!inUse) deleteFiles();
  if (held) (void)held->close();
  if (Status s = registry->remove(user.recno); !s) ctx.log.log(kUninstallPlace, s.message());
  if (Status s = registry->close(); !s) ctx.log.log(kUninstallPlace, s.message());
  ctx.run.LS_PACK = true;
  removeWorkstationFile(ctx);
  ctx.log.log(kUninstallPlace, "Benutzer " + user.name + " deinstalliert");
  return true;
}

std::vector<UserEntry> missingTables(const fs::path& dir, const std::vector<UserEntry>& entries) {
  std::unordered_set<std::string> present;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    present.insert(upperName(it->path().filename().string()));
  }
  std::vector<UserEntry> missing;
  for (const UserEntry& e : entries) {
    if (!plainUserFile(e.file) || !present.count(upperName(e.file) + ".TER")) {
      missing.push_back(e);
    }
  }
  return missing;
}

void optimizeUsers(Context& ctx) {
  if (!ctx.ui.ask("Pflege", "Benutzerdatei optimieren ?", true)) return;
  const auto all = readUserList(ctx);
  if (!all) {
    ctx.log.log(kOptimizePlace, all.message());
    ctx.ui.message(kProblemTitle, kRegistryBusy, Severity::Problem);
    return;
  }
  std::vector<UserEntry> chosen;
  for (const UserEntry& e : missingTables(ctx.CRUNIN, *all)) {
    if (ctx.ui.ask(
            kProblemTitle,
            "Für den Benutzer " + e.name + " existiert keine Termindatei.\nBenutzer löschen ?",
            true)) {
      chosen.push_back(e);
    }
  }
  if (chosen.empty()) return;
  auto registry = UserRegistry::open(ctx, UserRegistry::Use::kExclusive);
  const auto now =
      registry ? registry->entries() : Result<std::vector<UserEntry>>(registry.status());
  if (!now) {
    ctx.log.log(kOptimizePlace, now.message());
    ctx.ui.message(kProblemTitle, kRegistryBusy, Severity::Problem);
    if (registry) (void)registry->close();
    return;
  }
  // Whatever changed while the user was asked is looked at again.
  for (const UserEntry& e : missingTables(ctx.CRUNIN, *now)) {
    if (std::find(chosen.begin(), chosen.end(), e) == chosen.end()) continue;
    if (plainUserFile(e.file)) (void)deleteTableFiles(ctx.CRUNIN, e.file);
    if (Status s = registry->remove(e.recno); !s) {
      ctx.log.log(kOptimizePlace, s.message());
      continue;
    }
    ctx.log.log(kOptimizePlace, "Benutzer " + e.name + " gelöscht");
    ctx.run.LS_PACK = true;
  }
  if (Status s = registry->close(); !s) ctx.log.log(kOptimizePlace, s.message());
}

}  // namespace zrv
