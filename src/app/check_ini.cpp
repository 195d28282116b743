#include "app/check_ini.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <system_error>

#include "app/context.h"
#include "app/run_files.h"
#include "app/settings_file.h"
#include "ports/user_interface.h"
#include "store/base/file_io.h"
#include "store/base/file_names.h"
#include "store/base/logbook.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

// The workstation file takes every key of the template that it lacks; its own values stay, so
// that a registered user, his window position and his mail account survive the next start.
void refreshFromTemplate(const fs::path& templ, const fs::path& workstation) {
  std::error_code ec;
  if (!fs::exists(workstation, ec)) {
    const fs::path dir = workstation.parent_path();
    createPrivateDirectories(dir);
    copyFileAtomically(templ, workstation, kSettingsFileMode, kSettingsFileMode);
    return;
  }
  const IniFile target(workstation, kSettingsFileMode);
  IniDocument doc = target.load();
  bool changed = false;
  for (const auto& e : IniFile(templ).load().entries()) {
    if (!doc.get(e.section, e.key)) {
      doc.set(e.section, e.key, e.value);
      changed = true;
    }
  }
  if (changed) target.store(doc);
}

int toInt(long v) {
  return static_cast<int>(
      std::clamp<long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

fs::path workstationIniPath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  fs::path base;
  if (xdg && *xdg == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = fs::path(home && *home ? home : ".") / ".config";
  }
  return base / "zorvane" / "ZORVANE.INI";
}

void chooseSettingsFile(Context& ctx) {
  if (ctx.workstationIni.empty()) ctx.workstationIni = workstationIniPath();
  ctx.runFiles = runFilesFolder(ctx.CRUNIN, ctx.workstationIni);
  const fs::path local = findFile(ctx.CRUNIN, "ZORVANE.INI");
  std::error_code ec;
  if (fs::exists(local, ec)) {
    ctx.CINIFILE = local;
    return;
  }
  const fs::path templ = findFile(ctx.CRUNIN, "ZORVANE.USR");
  // Without a template the workstation file stays as it is; missing keys give their defaults.
  if (fs::exists(templ, ec)) refreshFromTemplate(templ, ctx.workstationIni);
  ctx.CINIFILE = ctx.workstationIni;
}

FixedLists buildFixedLists() {
  FixedLists lists;
  lists.AVORLAGE = {"einmal", "stündlich", "täglich", "wöchentlich", "monatlich", "jährlich"};
  lists.ATERMART = {"Keine Zuordnung", "privat",      "telefonisch", "Besuch auswärts",
                    "Besuch intern",   "Sitzung",     "Infotermin",  "Messe",
                    "Sehr wichtig !",  "Wichtig",     "Urlaub",      "Geburtstag",
                    "Programmstart",   "Dateiversand"};
  lists.AT_TART = {"TA70", "TA7", "TA6",  "TA5",  "TA50", "TA4",  "TA40",
                   "TA3",  "TA1", "TA10", "TA30", "TA60", "TA20", "TA22"};
  lists.NCOLF = 1;
  lists.NCOLB = 0xD0FFFF;  // RGB(255,255,208)
  return lists;
}

bool checkIni(Context& ctx, bool newLogbook) {
  using namespace keys;
  ctx.settings = Settings{};
  ctx.run.LS_1ALAOK = ctx.run.LS_2ALAOK = ctx.run.LS_3ALAOK = ctx.run.LS_4ALAOK = false;
  ctx.log.setEnabled(false);
  ctx.ui.busy(true);
  chooseSettingsFile(ctx);
  // Logging is still off here, so this removes the previous run's logbook.
  if (newLogbook) ctx.log.log("CheckIni", "Public Variablen einlesen");

  const SettingsFile ini(ctx.CINIFILE);
  Settings& s = ctx.settings;
  s.LS_LAN = ini.flag(Network);
  s.NS_ERROR = toInt(ini.number(Errors));
  s.LS_LOGBUCH = ini.flag(LOGBUCH);
  s.LS_SHOWLOG = ini.flag(SHOWLOG);
  ctx.log.setEnabled(s.LS_LOGBUCH);
  ctx.lists = buildFixedLists();
  s.CN_FILE = ini.text(FILENAME, s.LS_LAN ? "" : "ZORVANE");

  s.LS_SHOWOLD = ini.flag(SHOWOLD);
  s.NS_MIN = toInt(ini.number(NACHMIN));
  s.NS_AUTOMIN = toInt(ini.number(AUTOMIN));
  s.LS_WAKEUP = ini.flag(WakeUp);
  s.NS_WAKEUPM = toInt(ini.number(WakeUpMin));
  s.LS_SLOESCH = ini.flag(SLOESCH);
  s.LS_VWORIG = ini.flag(VWORIG);
  s.NS_WEEKSHOW = toInt(ini.number(WEEKSHOW));
  s.NS_LANACTUAL = toInt(ini.number(LANACTUAL));
  s.LS_SUMMARY = ini.flag(SUMMARY);
  s.LS_ASTART = ini.flag(AStart);
  s.LS_ASICON = ini.flag(AsIcon);
  s.LS_INTRAY = ini.flag(InTray);
  s.NS_TIMER = toInt(ini.number(Timer));
  s.NS_TODAY = toInt(ini.number(Today));
  s.lastOn = ini.date(LastOn);
  s.LS_ALARMON = ini.flag(AlarmOn);
  s.CS_USER = ini.text(NAME);
  s.CS_USERFILE = ini.text(FILE);
  s.LM_ONLINE = ini.flag(MailOnline);

  if (!ini.setText(Product, ctx.CRELEASE)) {
    ctx.log.log("CheckIni", "Einstellungsdatei nicht beschreibbar: " + ctx.CINIFILE.string());
  }
  if (s.CN_FILE.empty()) s.CN_FILE = "ZORVANE";
  if (s.CS_USER.empty()) s.CS_USER = std::string(30, ' ');
  ctx.ui.busy(false);
  return true;
}

}  // namespace zrv
