// A small JSON value for the command line's machine-readable output and the line protocol
// between the command line and the running program: null, true/false, numbers, UTF-8 strings,
// arrays and objects (members kept in their order). Reading is bounded in depth, so a line from
// the socket cannot exhaust the stack.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zrv {

class Json {
 public:
  enum class Type { Null, Bool, Number, String, Array, Object };

  Json() = default;
  Json(std::nullptr_t) {}
  Json(bool b) : type_(Type::Bool), bool_(b) {}
  Json(int n) : type_(Type::Number), number_(n) {}
  Json(long n) : type_(Type::Number), number_(static_cast<double>(n)) {}
  Json(double n) : type_(Type::Number), number_(n) {}
  Json(const char* s) : type_(Type::String), string_(s) {}
  Json(std::string s) : type_(Type::String), string_(std::move(s)) {}
  static Json array() { return Json(Type::Array); }
  static Json object() { return Json(Type::Object); }

  Type type() const { return type_; }
  bool isNull() const { return type_ == Type::Null; }

  // Readers with a fallback for a value of another type (or a missing member).
  bool asBool(bool fallback = false) const { return type_ == Type::Bool ? bool_ : fallback; }
  long asLong(long fallback = 0) const;
  const std::string& asString() const;

  // Arrays.
  Json& push(Json v);
  const std::vector<Json>& items() const { return items_; }
  // Objects: sets (replaces) a member; get() gives null for a missing one.
  Json& set(const std::string& key, Json v);
  const Json& get(std::string_view key) const;
  bool has(std::string_view key) const;
  const std::vector<std::pair<std::string, Json>>& members() const { return members_; }

  // Compact text on one line (no line break inside, so one value is one protocol line), or
  // indented by two blanks per level.
  std::string dump(bool pretty = false) const;
  // nullopt for text that is not one JSON value, or nests deeper than 64 levels.
  static std::optional<Json> parse(std::string_view text);

 private:
  explicit Json(Type t) : type_(t) {}
  void write(std::string& out, bool pretty, int depth) const;

  Type type_ = Type::Null;
  bool bool_ = false;
  double number_ = 0;
  std::string string_;
  std::vector<Json> items_;
  std::vector<std::pair<std::string, Json>> members_;
};

}  // namespace zrv
