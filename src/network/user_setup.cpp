#include "network/user_setup.h"

#include "app/context.h"
#include "app/first_start.h"
#include "app/help.h"
#include "app/settings_file.h"
#include "app/table_in_use.h"
#include "app/table_problems.h"
#include "network/user_names.h"
#include "network/user_registry.h"
#include "network/user_windows.h"
#include "ports/user_interface.h"
#include "store/base/logbook.h"

namespace zrv {
namespace {

constexpr const char* kPlace = "SetupUser";

std::string trimmedRight(const std::string& s) {
  const auto end = s.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : s.substr(0, end + 1);
}

}  // namespace

bool writeLanSet(Context& ctx) {
  auto registry = UserRegistry::open(ctx, UserRegistry::Use::kLookup);
  if (!registry) {
    ctx.log.log(kPlace, registry.message());
    return false;
  }
  const Result<bool> added =
      registry->addUnlessPresent(ctx.settings.CS_USER, ctx.settings.CS_USERFILE);
  if (Status s = registry->close(); !s) ctx.log.log(kPlace, s.message());
  if (!added) {
    ctx.log.log(kPlace, added.message());
    return false;
  }
  if (*added) {
    const SettingsFile ini = settingsFile(ctx);
    ini.setText(keys::FILENAME, ctx.settings.CN_FILE);
    ini.setNumber(keys::Today, ctx.settings.NS_TODAY);
    ctx.log.log(kPlace, "Benutzer " + ctx.settings.CS_USER + " eingetragen, Termindatei " +
                            ctx.settings.CS_USERFILE);
  }
  return true;
}

bool setUpUser(Context& ctx, UserWindows& windows) {
  const ScopedHelpTopic topic(ctx.help, help_topic::kUserSetup, help_topic::kMain);
  const UserSetUpAnswer answer = windows.askUserName();
  if (answer.ending == UserSetUpAnswer::Ending::kCancelled) {
    ctx.ui.message(kProblemTitle, "Zorvane wird nun beendet !", Severity::Problem);
    return false;
  }
  if (answer.ending == UserSetUpAnswer::Ending::kClosed) return true;

  Settings& s = ctx.settings;
  s.CS_USER = trimmedRight(answer.name);
  s.CS_USERFILE = chkUmlaut(s.CS_USER);
  if (!writeLanSet(ctx)) {
    ctx.ui.message(kProblemTitle,
                   "Im Moment kann kein neuer Benutzer registriert werden.\nVersuchen es später "
                   "nocheinmal !\nZorvane wird nun beendet.",
                   Severity::Problem);
    return false;
  }
  buildDbase(ctx, s.CS_USERFILE);
  useTable(ctx, s.CS_USERFILE);
  const SettingsFile ini = settingsFile(ctx);
  ini.setText(keys::NAME, s.CS_USER);
  ini.setText(keys::FILE, s.CS_USERFILE);
  return true;
}

}  // namespace zrv
