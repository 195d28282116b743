// The text of an INI file as lines, with the lookups and edits of the private-profile functions:
// sections and keys match without regard to case, the first match counts, and writing a key
// changes only its own line. Lines the reader does not understand are kept as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zrv {

class IniDocument {
 public:
  struct Entry {
    std::string section;
    std::string key;
    std::string value;
  };

  IniDocument() = default;
  // Splits text at line ends (CR LF or LF). Nothing in the text is an error.
  static IniDocument parse(std::string_view text);

  // The trimmed value of the first `key` in the first section named `section`; a value in
  // matching quotes loses them. nullopt when the section or the key is missing.
  std::optional<std::string> get(std::string_view section, std::string_view key) const;
  // Replaces the key's value, or adds the key at the end of its section, or adds the section
  // at the end. Line breaks in the value become blanks, so one key stays one line.
  void set(std::string_view section, std::string_view key, std::string_view value);
  // Every key that get() would find, in file order.
  std::vector<Entry> entries() const;

  // The lines, each ended by CR LF.
  std::string text() const;
  bool empty() const { return lines_.empty(); }

 private:
  std::vector<std::string> lines_;
};

}  // namespace zrv
