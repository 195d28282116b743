// The byte form in which a menu saves its properties and loads them again: objects, lists
// and plain values, with two-byte little-endian lengths.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zrv {

struct SavedObject;

// A value: 'C' text, 'D' date, 'L' logical, 'N' number (all as text), 'A' list, 'O' object.
struct SavedValue {
  char type = 'C';
  std::string text;
  std::vector<SavedValue> list;
  std::shared_ptr<SavedObject> object;

  static SavedValue ofText(std::string t) { return SavedValue{'C', std::move(t), {}, {}}; }
  static SavedValue ofNumber(long n) { return SavedValue{'N', std::to_string(n), {}, {}}; }
  static SavedValue ofLogical(bool b) { return SavedValue{'L', b ? "T" : "F", {}, {}}; }
};

struct SavedObject {
  std::string className;
  std::vector<std::pair<std::string, SavedValue>> properties;  // only those not at default

  const SavedValue* find(std::string_view name) const;
};

std::string encodeObject(const SavedObject& object);
// nullopt when `data` is not one whole object in that form.
std::optional<SavedObject> decodeObject(std::string_view data);

}  // namespace zrv
