#include "commands/menu_codec.h"

#include <cstdint>

namespace zrv {
namespace {

void putLength(std::string& out, std::size_t n) {
  out += static_cast<char>(n & 0xFF);
  out += static_cast<char>((n >> 8) & 0xFF);
}

std::string encodeValue(const SavedValue& v);

std::string encodeList(const std::vector<SavedValue>& list) {
  std::string content;
  putLength(content, list.size());
  for (const SavedValue& e : list)
    content += encodeValue(e);
  std::string out = "A";
  putLength(out, content.size());
  return out + content;
}

std::string encodeValue(const SavedValue& v) {
  if (v.type == 'A') return encodeList(v.list);
  if (v.type == 'O') return v.object ? encodeObject(*v.object) : encodeObject(SavedObject{});
  std::string out(1, v.type);
  putLength(out, v.text.size());
  return out + v.text;
}

// Reads from the front of `in`, which moves past what was read.
class Reader {
 public:
  explicit Reader(std::string_view in) : in_(in) {}
  bool atEnd() const { return in_.empty(); }

  std::optional<std::size_t> length() {
    if (in_.size() < 2) return std::nullopt;
    const auto lo = static_cast<std::uint8_t>(in_[0]);
    const auto hi = static_cast<std::uint8_t>(in_[1]);
    in_.remove_prefix(2);
    return static_cast<std::size_t>(lo | (hi << 8));
  }
  std::optional<std::string_view> bytes(std::size_t n) {
    if (in_.size() < n) return std::nullopt;
    const std::string_view out = in_.substr(0, n);
    in_.remove_prefix(n);
    return out;
  }

  std::optional<SavedValue> value() {
    if (in_.empty()) return std::nullopt;
    const char type = in_[0];
    if (type == 'O') {
      auto object = this->object();
      if (!object) return std::nullopt;
      return SavedValue{'O', "", {}, std::make_shared<SavedObject>(std::move(*object))};
    }
    in_.remove_prefix(1);
    const auto n = length();
    if (!n) return std::nullopt;
    const auto body = bytes(*n);
    if (!body) return std::nullopt;
    if (type != 'A') return SavedValue{type, std::string(*body), {}, {}};
    if (*n < 2) return std::nullopt;
    Reader inner(*body);
    const auto count = inner.length();
    SavedValue list{'A', "", {}, {}};
    for (std::size_t i = 0; count && i < *count; ++i) {
      auto e = inner.value();
      if (!e) return std::nullopt;
      list.list.push_back(std::move(*e));
    }
    if (!count || !inner.atEnd()) return std::nullopt;
    return list;
  }

  std::optional<SavedObject> object() {
    const auto tag = bytes(1);
    if (!tag || *tag != "O") return std::nullopt;
    const auto total = length();
    if (!total) return std::nullopt;
    const auto body = bytes(*total);
    if (!body) return std::nullopt;
    Reader inner(*body);
    const auto nameLength = inner.length();
    const auto name = nameLength ? inner.bytes(*nameLength) : std::nullopt;
    const auto count = inner.length();
    if (!name || !count) return std::nullopt;
    SavedObject out{std::string(*name), {}};
    for (std::size_t i = 0; i < *count; ++i) {
      const auto propLength = inner.length();
      const auto prop = propLength ? inner.bytes(*propLength) : std::nullopt;
      auto v = prop ? inner.value() : std::nullopt;
      if (!v) return std::nullopt;
      out.properties.emplace_back(std::string(*prop), std::move(*v));
    }
    if (!inner.atEnd()) return std::nullopt;
    return out;
  }

 private:
  std::string_view in_;
};

}  // namespace

const SavedValue* SavedObject::find(std::string_view name) const {
  for (const auto& [key, value] : properties) {
    if (key == name) return &value;
  }
  return nullptr;
}

std::string encodeObject(const SavedObject& object) {
  std::string data;
  for (const auto& [name, value] : object.properties) {
    putLength(data, name.size());
    data += name;
    data += encodeValue(value);
  }
  std::string out = "O";
  putLength(out, object.className.size() + 4 + data.size());
  putLength(out, object.className.size());
  out += object.className;
  putLength(out, object.properties.size());
  return out + data;
}

std::optional<SavedObject> decodeObject(std::string_view data) {
  Reader reader(data);
  auto object = reader.object();
  if (!object || !reader.atEnd()) return std::nullopt;
  return object;
}

}  // namespace zrv
