// Typed reads and writes of single settings, by the keys of setting_keys.h, in the value
// forms the settings file uses ("Yes"/"No", "1"/"0", numbers without blanks, "dd.mm.yyyy").
// Every part of the program that changes a setting writes it through here.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "app/ini_file.h"
#include "app/setting_keys.h"
#include "store/base/date.h"

namespace zrv {

struct Context;

// Settings files are created readable by their owner only: they may hold a mail password.
inline constexpr unsigned kSettingsFileMode = 0600;

// The runtime's numeric conversion of a text: leading blanks, an optional sign, then digits up
// to the first other character ("12abc" is 12); no digits give 0. Saturates instead of
// overflowing.
long numericValue(std::string_view text);

class SettingsFile {
 public:
  explicit SettingsFile(std::filesystem::path file) : ini_(std::move(file), kSettingsFileMode) {}

  // Reads with the table's default, or with `def` where a key's default depends on the run.
  std::string text(const SettingKey& k) const { return text(k, k.defaultValue); }
  std::string text(const SettingKey& k, std::string_view def) const;
  // A YesNo or OneZero key as a flag.
  bool flag(const SettingKey& k) const;
  long number(const SettingKey& k) const;
  // The empty date when missing or unreadable.
  Date date(const SettingKey& k) const;

  // Writes in the key's form. False when the file could not be written.
  bool setText(const SettingKey& k, std::string_view value) const;
  bool setFlag(const SettingKey& k, bool on) const;
  bool setNumber(const SettingKey& k, long value) const;
  bool setDate(const SettingKey& k, const Date& value) const;
  // Several numbers in one rewrite of the file.
  bool setNumbers(std::initializer_list<std::pair<SettingKey, long>> values) const;
  // Any key by name, for keys outside the table.
  bool writeSetting(std::string_view section, std::string_view key, std::string_view value) const;

  // From now on every write is refused (false) and the file is left alone.
  void makeReadOnly() { readOnly_ = true; }
  const IniFile& ini() const { return ini_; }

 private:
  IniFile ini_;
  bool readOnly_ = false;
};

// The settings file in use (CINIFILE); read-only once the workstation was uninstalled.
SettingsFile settingsFile(const Context& ctx);

}  // namespace zrv
