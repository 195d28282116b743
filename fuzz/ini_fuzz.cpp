// Fuzzes the settings file: any bytes as ZORVANE.INI must read without a crash, give every key
// its value or default, and survive writing a key with every other line kept.
#include <stdlib.h>
#include <strings.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "app/ini_file.h"
#include "app/setting_keys.h"
#include "app/settings_file.h"
#include "store/base/file_io.h"

namespace {

const std::filesystem::path& scratchFile() {
  static const std::filesystem::path file = [] {
    // In memory where possible: every write is flushed to disk.
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string tmpl = (base / "zrvfuzz-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) abort();
    return std::filesystem::path(tmpl) / "ZORVANE.INI";
  }();
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const auto& file = scratchFile();
  if (!zrv::replaceFileAtomically(file, input)) return 0;

  const zrv::SettingsFile settings(file);
  for (const zrv::SettingKey& k : zrv::allSettingKeys()) {
    // One read per key; the conversions of flag(), number() and date() on its text.
    const std::string text = settings.text(k);
    (void)zrv::numericValue(text);
    (void)zrv::Date::fromDisplay(text);
  }

  // A written key reads back, and no other key changes its value.
  const zrv::IniFile ini(file);
  const auto before = ini.load().entries();
  if (!settings.setText(zrv::keys::Product, "QLS Zorvane v2.00.65")) abort();
  if (settings.text(zrv::keys::Product) != "QLS Zorvane v2.00.65") abort();
  const zrv::IniDocument after = ini.load();
  for (const auto& e : before) {
    const auto value = after.get(e.section, e.key);
    const bool isProduct =
        strcasecmp(e.section.c_str(), "ZORVANE") == 0 && strcasecmp(e.key.c_str(), "Product") == 0;
    if (!isProduct && (!value || *value != e.value)) abort();
  }
  return 0;
}
