#include "app/ini_file.h"

#include <system_error>

#include "store/base/codepage.h"
#include "store/base/file_io.h"

namespace zrv {

IniFile::IniFile(std::filesystem::path file, unsigned newFileMode)
    : file_(std::move(file)), newFileMode_(newFileMode) {}

IniDocument IniFile::load() const {
  return loadForUpdate().value_or(IniDocument());
}

std::optional<IniDocument> IniFile::loadForUpdate() const {
  const auto bytes = readWholeFile(file_);
  if (!bytes) {
    std::error_code ec;
    if (std::filesystem::exists(file_, ec) || ec) return std::nullopt;
    return IniDocument();
  }
  return IniDocument::parse(cp1252ToUtf8(*bytes));
}

std::string IniFile::read(std::string_view section, std::string_view key,
                          std::string_view def) const {
  return load().get(section, key).value_or(std::string(def));
}

bool IniFile::write(std::string_view section, std::string_view key, std::string_view value) const {
  return update([&](IniDocument& doc) { doc.set(section, key, value); });
}

bool IniFile::update(const std::function<void(IniDocument&)>& edit) const {
  auto doc = loadForUpdate();
  if (!doc) return false;
  edit(*doc);
  return store(*doc);
}

bool IniFile::store(const IniDocument& doc) const {
  // A settings file may hold the mail password: it never keeps more rights than a new one gets.
  return replaceFileIfChanged(file_, utf8ToCp1252(doc.text()), newFileMode_, newFileMode_);
}

}  // namespace zrv
