// Every key of the settings file: section, key, default and the form of its value. Reads and
// writes name a key from this table, so that a key's spelling and default live in one place.
// Keys match without regard to case; the spelling here is the one a new key is written with.
#pragma once

#include <span>
#include <string_view>

namespace zrv {

enum class ValueForm {
  Text,
  YesNo,    // "Yes"/"No"; only "Yes" exactly reads as on
  OneZero,  // "1"/"0"; only "1" reads as on
  Number,   // decimal text; anything non-numeric reads as 0
  Date,     // "dd.mm.yyyy"
};

struct SettingKey {
  std::string_view section;
  std::string_view key;
  std::string_view defaultValue;
  ValueForm form;
};

namespace keys {
using enum ValueForm;
// [ZORVANE]
inline constexpr SettingKey FILENAME{"ZORVANE", "FILENAME", "ZORVANE", Text};  // "" in network mode
inline constexpr SettingKey Product{"ZORVANE", "Product", "", Text};           // written only
// [SYSTEM]
inline constexpr SettingKey AStart{"SYSTEM", "AStart", "No", YesNo};
inline constexpr SettingKey AsIcon{"SYSTEM", "AsIcon", "No", YesNo};
inline constexpr SettingKey InTray{"SYSTEM", "InTray", "No", YesNo};
inline constexpr SettingKey Timer{"SYSTEM", "Timer", "30", Number};
inline constexpr SettingKey Today{"SYSTEM", "Today", "1", Number};
inline constexpr SettingKey LastOn{"SYSTEM", "LastOn", "", Date};
inline constexpr SettingKey AlarmOn{"SYSTEM", "AlarmOn", "No", YesNo};
// Network mode of a workstation: "Yes" in the workstation file (the ZORVANE.USR template of a
// network installation carries it).
inline constexpr SettingKey Network{"SYSTEM", "Network", "No", YesNo};
// The update server's base address ("https://host[:port]"); empty: the one the build names.
inline constexpr SettingKey UpdateServer{"SYSTEM", "UpdateServer", "", Text};
// [System]: the main window's rectangle in pixels
inline constexpr SettingKey Top{"System", "Top", "0", Number};
inline constexpr SettingKey Left{"System", "Left", "0", Number};
inline constexpr SettingKey Bottom{"System", "Bottom", "480", Number};
inline constexpr SettingKey Right{"System", "Right", "640", Number};
inline constexpr SettingKey Height{"System", "Height", "", Number};  // written only
inline constexpr SettingKey Width{"System", "Width", "", Number};    // written only
inline constexpr SettingKey LastUpSize{"System", "LastUpSize", "", Number};
// [SETUP]
inline constexpr SettingKey Errors{"SETUP", "Errors", "1", Number};
inline constexpr SettingKey LOGBUCH{"SETUP", "LOGBUCH", "0", OneZero};
inline constexpr SettingKey SHOWLOG{"SETUP", "SHOWLOG", "0", OneZero};
inline constexpr SettingKey SHOWOLD{"SETUP", "SHOWOLD", "No", YesNo};
inline constexpr SettingKey NACHMIN{"SETUP", "NACHMIN", "10", Number};
inline constexpr SettingKey AUTOMIN{"SETUP", "AUTOMIN", "10", Number};
inline constexpr SettingKey WakeUp{"SETUP", "WakeUp", "0", OneZero};
inline constexpr SettingKey WakeUpMin{"SETUP", "WakeUpMin", "2", Number};
inline constexpr SettingKey SLOESCH{"SETUP", "SLOESCH", "No", YesNo};
inline constexpr SettingKey VWORIG{"SETUP", "VWORIG", "No", YesNo};
inline constexpr SettingKey WEEKSHOW{"SETUP", "WEEKSHOW", "1", Number};
inline constexpr SettingKey LANACTUAL{"SETUP", "LANACTUAL", "3", Number};
// One window "Während Sie weg waren" for several appointments missed while the program was not
// running or the computer slept, instead of one alert after another.
inline constexpr SettingKey SUMMARY{"SETUP", "SUMMARY", "Yes", YesNo};
// [USER]
inline constexpr SettingKey NAME{"USER", "NAME", "", Text};
inline constexpr SettingKey FILE{"USER", "FILE", "", Text};
// [MailSupport]; SendTo has no default here: the mail dialogs bring their own.
inline constexpr SettingKey MailName{"MailSupport", "Name", "", Text};
inline constexpr SettingKey MailReply{"MailSupport", "Reply", "", Text};
inline constexpr SettingKey MailSendTo{"MailSupport", "SendTo", "", Text};
inline constexpr SettingKey MailSMTP{"MailSupport", "SMTP", "", Text};
inline constexpr SettingKey MailUser{"MailSupport", "User", "", Text};
inline constexpr SettingKey MailPass{"MailSupport", "Pass", "", Text};
inline constexpr SettingKey MailOnline{"MailSupport", "Online", "0", OneZero};
}  // namespace keys

// The whole table, in the order above.
std::span<const SettingKey> allSettingKeys();

}  // namespace zrv
