#include "remote/json.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zrv {
namespace {

constexpr int kMaxDepth = 64;

void writeString(std::string& out, const std::string& s) {
  out += '"';
  for (const char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += ch;
        }
    }
  }
  out += '"';
}

void appendUtf8(std::string& out, unsigned cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

class Reader {
 public:
  explicit Reader(std::string_view text) : s_(text) {}

  std::optional<Json> document() {
    std::optional<Json> v = value(0);
    blanks();
    if (!v || pos_ != s_.size()) return std::nullopt;
    return v;
  }

 private:
  void blanks() {
    while (pos_ < s_.size() &&
           (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r'))
      ++pos_;
  }
  bool take(char c) {
    blanks();
    if (pos_ < s_.size() && s_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  bool word(std::string_view w) {
    if (s_.substr(pos_, w.size()) != w) return false;
    pos_ += w.size();
    return true;
  }

  std::optional<Json> value(int depth) {
    if (depth > kMaxDepth) return std::nullopt;
    blanks();
    if (pos_ >= s_.size()) return std::nullopt;
    const char c = s_[pos_];
    if (c == '{') return object(depth);
    if (c == '[') return array(depth);
    if (c == '"') {
      std::optional<std::string> s = string();
      if (!s) return std::nullopt;
      return Json(std::move(*s));
    }
    if (word("true")) return Json(true);
    if (word("false")) return Json(false);
    if (word("null")) return Json();
    return number();
  }

  std::optional<Json> number() {
    const std::size_t start = pos_;
    while (pos_ < s_.size() &&
           std::string_view("+-0123456789.eE").find(s_[pos_]) != std::string_view::npos)
      ++pos_;
    if (start == pos_) return std::nullopt;
    const std::string text(s_.substr(start, pos_ - start));
    char* end = nullptr;
    const double d = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(d)) return std::nullopt;
    return Json(d);
  }

  std::optional<unsigned> hex4() {
    if (pos_ + 4 > s_.size()) return std::nullopt;
    unsigned v = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = s_[pos_++];
      v <<= 4;
      if (c >= '0' && c <= '9') {
        v |= static_cast<unsigned>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        v |= static_cast<unsigned>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        v |= static_cast<unsigned>(c - 'A' + 10);
      } else {
        return std::nullopt;
      }
    }
    return v;
  }

  std::optional<std::string> string() {
    ++pos_;  // the opening quote
    std::string out;
    while (pos_ < s_.size()) {
      const char c = s_[pos_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= s_.size()) return std::nullopt;
      const char e = s_[pos_++];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out += e;
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'u': {
          std::optional<unsigned> cp = hex4();
          if (!cp) return std::nullopt;
          if (*cp >= 0xD800 && *cp < 0xDC00) {  // a surrogate pair
            if (!word("\\u")) return std::nullopt;
            const std::optional<unsigned> low = hex4();
            if (!low || *low < 0xDC00 || *low > 0xDFFF) return std::nullopt;
            cp = 0x10000 + ((*cp - 0xD800) << 10) + (*low - 0xDC00);
          } else if (*cp >= 0xDC00 && *cp <= 0xDFFF) {
            return std::nullopt;
          }
          appendUtf8(out, *cp);
          break;
        }
        default:
          return std::nullopt;
      }
    }
    return std::nullopt;
  }

  std::optional<Json> array(int depth) {
    ++pos_;
    Json a = Json::array();
    if (take(']')) return a;
    do {
      std::optional<Json> v = value(depth + 1);
      if (!v) return std::nullopt;
      a.push(std::move(*v));
    } while (take(','));
    if (!take(']')) return std::nullopt;
    return a;
  }

  std::optional<Json> object(int depth) {
    ++pos_;
    Json o = Json::object();
    if (take('}')) return o;
    do {
      blanks();
      if (pos_ >= s_.size() || s_[pos_] != '"') return std::nullopt;
      std::optional<std::string> key = string();
      if (!key || !take(':')) return std::nullopt;
      std::optional<Json> v = value(depth + 1);
      if (!v) return std::nullopt;
      o.set(*key, std::move(*v));
    } while (take(','));
    if (!take('}')) return std::nullopt;
    return o;
  }

  std::string_view s_;
  std::size_t pos_ = 0;
};

}  // namespace

long Json::asLong(long fallback) const {
  if (type_ != Type::Number || !std::isfinite(number_) || number_ < -2e9 || number_ > 2e9) {
    return fallback;
  }
  return static_cast<long>(number_);
}

const std::string& Json::asString() const {
  static const std::string empty;
  return type_ == Type::String ? string_ : empty;
}

Json& Json::push(Json v) {
  items_.push_back(std::move(v));
  return *this;
}

Json& Json::set(const std::string& key, Json v) {
  for (auto& m : members_) {
    if (m.first == key) {
      m.second = std::move(v);
      return *this;
    }
  }
  members_.emplace_back(key, std::move(v));
  return *this;
}

const Json& Json::get(std::string_view key) const {
  static const Json null;
  for (const auto& m : members_) {
    if (m.first == key) return m.second;
  }
  return null;
}

bool Json::has(std::string_view key) const {
  for (const auto& m : members_) {
    if (m.first == key) return true;
  }
  return false;
}

std::string Json::dump(bool pretty) const {
  std::string out;
  write(out, pretty, 0);
  return out;
}

void Json::write(std::string& out, bool pretty, int depth) const {
  const auto newline = [&](int d) {
    if (!pretty) return;
    out += '\n';
    out.append(static_cast<std::size_t>(d) * 2, ' ');
  };
  switch (type_) {
    case Type::Null:
      out += "null";
      break;
    case Type::Bool:
      out += bool_ ? "true" : "false";
      break;
    case Type::Number: {
      char buf[32];
      if (number_ == std::floor(number_) && std::fabs(number_) < 1e15) {
        std::snprintf(buf, sizeof buf, "%.0f", number_);
      } else {
        std::snprintf(buf, sizeof buf, "%.17g", number_);
      }
      out += buf;
      break;
    }
    case Type::String:
      writeString(out, string_);
      break;
    case Type::Array:
      out += '[';
      for (std::size_t i = 0; i < items_.size(); ++i) {
        if (i) out += ',';
        newline(depth + 1);
        items_[i].write(out, pretty, depth + 1);
      }
      if (!items_.empty()) newline(depth);
      out += ']';
      break;
    case Type::Object:
      out += '{';
      for (std::size_t i = 0; i < members_.size(); ++i) {
        if (i) out += ',';
        newline(depth + 1);
        writeString(out, members_[i].first);
        out += pretty ? ": " : ":";
        members_[i].second.write(out, pretty, depth + 1);
      }
      if (!members_.empty()) newline(depth);
      out += '}';
      break;
  }
}

std::optional<Json> Json::parse(std::string_view text) {
  return Reader(text).document();
}

}  // namespace zrv
