// The rules of the general settings (SETUPMAIN) and the network settings (SETUPLAN) without
// their windows: the mail working copies, what the enabling of the controls follows, the keys
// written on "&Speichern", and the autostart entry that follows a switched AStart.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "mail/mail_settings.h"

namespace zrv {

struct Context;
class AutostartPort;

// A message for the user: its box's title and text.
struct SettingsNotice {
  std::string title;
  std::string text;
  friend bool operator==(const SettingsNotice&, const SettingsNotice&) = default;
};

inline constexpr std::size_t kMailFieldChars = 100;  // the mail page's fields

// The working copies of the mail page, loaded from section "MailSupport" when the dialog opens.
MailSettingsCopy loadMailCopies(const Context& ctx);

// The wake-up box needs the platform's wake-up facility (LWINXP); its minutes also need the
// box ticked (LS_WAKEUP).
bool wakeUpBoxEnabled(const Context& ctx);
bool wakeUpMinutesEnabled(const Context& ctx);

// The sentence that names the support's address on the page "Programm&fehler"; "" when this
// build has none.
std::string supportSentence();

// A number field's value: its digits (the blanks of an unfilled place left out); 0 when it
// holds none.
int fieldNumber(std::string_view text);

// "&Speichern" of the general settings: SETUP SHOWOLD, NACHMIN, SLOESCH, AUTOMIN, WEEKSHOW,
// WakeUp, WakeUpMin; SYSTEM AsIcon, AStart, Timer; SETUP LOGBUCH, SHOWLOG, Errors from
// ctx.settings in one rewrite of the settings file, then the six mail keys. A notice when the
// file could not be written (the settings stay in effect for the run). ctx.settings.LM_ONLINE
// follows the saved copy.
std::optional<SettingsNotice> saveMainSettings(Context& ctx, const MailSettingsCopy& mail);

// After the general settings, saved or not: when AStart differs from `wasOn` (its value when the
// dialog opened) the autostart entry is written or removed. A notice when that failed.
std::optional<SettingsNotice> updateAutostart(const Context& ctx, bool wasOn,
                                              AutostartPort& autostart);

// The choice the network dialog shows for NS_LANACTUAL: 1 or 2 as stored, 3 ("&Nichts") for any
// other value.
int shownLanChoice(int NS_LANACTUAL);
// "&Speichern" of the network settings: SETUP LANACTUAL. A notice when the file could not be
// written.
std::optional<SettingsNotice> saveLanSettings(const Context& ctx);

}  // namespace zrv
