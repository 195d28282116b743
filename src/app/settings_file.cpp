#include "app/settings_file.h"

#include <limits>

#include "app/context.h"

namespace zrv {

long numericValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  constexpr long kMax = std::numeric_limits<long>::max();
  long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
  }
  return negative ? -value : value;
}

std::string SettingsFile::text(const SettingKey& k, std::string_view def) const {
  return ini_.read(k.section, k.key, def);
}

bool SettingsFile::flag(const SettingKey& k) const {
  return text(k) == (k.form == ValueForm::OneZero ? "1" : "Yes");
}

long SettingsFile::number(const SettingKey& k) const {
  return numericValue(text(k));
}

Date SettingsFile::date(const SettingKey& k) const {
  return Date::fromDisplay(text(k));
}

bool SettingsFile::setText(const SettingKey& k, std::string_view value) const {
  return writeSetting(k.section, k.key, value);
}

bool SettingsFile::setFlag(const SettingKey& k, bool on) const {
  if (k.form == ValueForm::OneZero) return setText(k, on ? "1" : "0");
  return setText(k, on ? "Yes" : "No");
}

bool SettingsFile::setNumber(const SettingKey& k, long value) const {
  return setText(k, std::to_string(value));
}

bool SettingsFile::setNumbers(std::initializer_list<std::pair<SettingKey, long>> values) const {
  if (readOnly_) return false;
  return ini_.update([&](IniDocument& doc) {
    for (const auto& [k, v] : values)
      doc.set(k.section, k.key, std::to_string(v));
  });
}

bool SettingsFile::setDate(const SettingKey& k, const Date& value) const {
  return setText(k, value.toDisplay());
}

bool SettingsFile::writeSetting(std::string_view section, std::string_view key,
                                std::string_view value) const {
  return !readOnly_ && ini_.write(section, key, value);
}

SettingsFile settingsFile(const Context& ctx) {
  SettingsFile file(ctx.CINIFILE);
  // An uninstalled workstation's settings file is gone and stays gone.
  if (ctx.run.uninstalled) file.makeReadOnly();
  return file;
}

}  // namespace zrv
