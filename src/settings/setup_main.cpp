#include "settings/setup_main.h"

#include <initializer_list>

#include "app/context.h"
#include "app/maker.h"
#include "app/setting_keys.h"
#include "app/settings_file.h"
#include "ports/autostart_port.h"

namespace zrv {
namespace {

const SettingsNotice kNotSaved{"Problem", "Die Einstellungen konnten nicht gespeichert werden !"};

std::string flagText(const SettingKey& k, bool on) {
  if (k.form == ValueForm::OneZero) return on ? "1" : "0";
  return on ? "Yes" : "No";
}

}  // namespace

MailSettingsCopy loadMailCopies(const Context& ctx) {
  MailSettingsCopy copy;
  copy.account = readMailAccount(ctx);
  copy.LM_ONLINE = settingsFile(ctx).flag(keys::MailOnline);
  return copy;
}

bool wakeUpBoxEnabled(const Context& ctx) {
  return ctx.run.LWINXP;
}

bool wakeUpMinutesEnabled(const Context& ctx) {
  return ctx.run.LWINXP && ctx.settings.LS_WAKEUP;
}

std::string supportSentence() {
  const std::string& address = supportAccount().address;
  return address.empty() ? "" : "Unser Support ist erreichbar unter " + address + ".";
}

int fieldNumber(std::string_view text) {
  long value = 0;
  for (const char c : text) {
    if (c >= '0' && c <= '9' && value < 100000000) value = value * 10 + (c - '0');
  }
  return static_cast<int>(value);
}

std::optional<SettingsNotice> saveMainSettings(Context& ctx, const MailSettingsCopy& mail) {
  Settings& s = ctx.settings;
  using namespace keys;
  struct Value {
    const SettingKey& key;
    std::string text;
  };
  const auto flag = [](const SettingKey& k, bool on) { return Value{k, flagText(k, on)}; };
  const auto number = [](const SettingKey& k, int n) { return Value{k, std::to_string(n)}; };
  const std::initializer_list<Value> values{
      flag(SHOWOLD, s.LS_SHOWOLD),     number(NACHMIN, s.NS_MIN),       flag(SLOESCH, s.LS_SLOESCH),
      number(AUTOMIN, s.NS_AUTOMIN),   number(WEEKSHOW, s.NS_WEEKSHOW), flag(WakeUp, s.LS_WAKEUP),
      number(WakeUpMin, s.NS_WAKEUPM), flag(AsIcon, s.LS_ASICON),       flag(AStart, s.LS_ASTART),
      number(Timer, s.NS_TIMER),       flag(LOGBUCH, s.LS_LOGBUCH),     flag(SHOWLOG, s.LS_SHOWLOG),
      number(Errors, s.NS_ERROR),
  };
  const SettingsFile file = settingsFile(ctx);
  const bool written = file.ini().update([&](IniDocument& doc) {
    for (const Value& v : values)
      doc.set(v.key.section, v.key.key, v.text);
  });
  if (!written || !saveMailSupport(ctx, mail)) return kNotSaved;
  s.LM_ONLINE = mail.LM_ONLINE;
  return std::nullopt;
}

std::optional<SettingsNotice> updateAutostart(const Context& ctx, bool wasOn,
                                              AutostartPort& autostart) {
  const bool on = ctx.settings.LS_ASTART;
  if (on == wasOn) return std::nullopt;
  if (on) {
    if (autostart.write(ctx.CS_EXEPATH)) return std::nullopt;
    return SettingsNotice{"Registrierung", "Autostart-Eintrag konnte nicht angelegt werden !"};
  }
  if (autostart.remove()) return std::nullopt;
  return SettingsNotice{"Registrierung",
                        "Registry-Eintrag konnte nicht entfernt werden, kein Problem !"};
}

int shownLanChoice(int NS_LANACTUAL) {
  return NS_LANACTUAL == 1 || NS_LANACTUAL == 2 ? NS_LANACTUAL : 3;
}

std::optional<SettingsNotice> saveLanSettings(const Context& ctx) {
  if (settingsFile(ctx).setNumber(keys::LANACTUAL, ctx.settings.NS_LANACTUAL)) return std::nullopt;
  return kNotSaved;
}

}  // namespace zrv
