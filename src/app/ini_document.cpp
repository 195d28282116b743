#include "app/ini_document.h"

#include <algorithm>
#include <set>

#include "store/base/ascii_case.h"

namespace zrv {
namespace {

std::string_view trim(std::string_view s) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && isBlank(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back()))
    s.remove_suffix(1);
  return s;
}

enum class LineKind { Other, Section, Key };

// What one line is: a section header "[name]", a "key=value" line, or anything else (blank,
// comment, damaged), which the reader passes over.
struct Line {
  LineKind kind = LineKind::Other;
  std::string_view name;   // section name or key
  std::string_view value;  // for keys
};

Line classify(std::string_view raw) {
  const std::string_view s = trim(raw);
  if (s.empty() || s.front() == ';' || s.front() == '#') return {};
  if (s.front() == '[') {
    const auto close = s.find(']');
    if (close == std::string_view::npos) return {};
    return {LineKind::Section, trim(s.substr(1, close - 1)), {}};
  }
  const auto eq = s.find('=');
  if (eq == std::string_view::npos) return {};
  const std::string_view key = trim(s.substr(0, eq));
  if (key.empty()) return {};
  return {LineKind::Key, key, trim(s.substr(eq + 1))};
}

std::string unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return std::string(v);
}

}  // namespace

IniDocument IniDocument::parse(std::string_view text) {
  IniDocument doc;
  while (!text.empty()) {
    const auto nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    doc.lines_.emplace_back(line);
    text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
  }
  return doc;
}

std::optional<std::string> IniDocument::get(std::string_view section, std::string_view key) const {
  bool seenSection = false;
  bool inSection = false;
  for (const auto& raw : lines_) {
    const Line line = classify(raw);
    if (line.kind == LineKind::Section) {
      // Only the first section of that name counts.
      if (inSection) return std::nullopt;
      inSection = !seenSection && equalsIgnoringCase(line.name, section);
      seenSection = seenSection || inSection;
    } else if (inSection && line.kind == LineKind::Key && equalsIgnoringCase(line.name, key)) {
      return unquote(line.value);
    }
  }
  return std::nullopt;
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
  std::string v(value);
  std::replace_if(
      v.begin(), v.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  std::size_t sectionLine = lines_.size();
  std::size_t i = 0;
  for (; i < lines_.size(); ++i) {
    const Line line = classify(lines_[i]);
    if (line.kind == LineKind::Section && equalsIgnoringCase(line.name, section)) {
      sectionLine = i;
      break;
    }
  }
  if (sectionLine == lines_.size()) {
    if (!lines_.empty() && !trim(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(std::string(key) + "=" + v);
    return;
  }
  std::size_t end = sectionLine + 1;
  for (; end < lines_.size(); ++end) {
    const Line line = classify(lines_[end]);
    if (line.kind == LineKind::Section) break;
    if (line.kind == LineKind::Key && equalsIgnoringCase(line.name, key)) {
      // The key keeps the spelling it has in the file.
      lines_[end] = std::string(line.name) + "=" + v;
      return;
    }
  }
  std::size_t insertAt = end;
  while (insertAt > sectionLine + 1 && trim(lines_[insertAt - 1]).empty())
    --insertAt;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::string(key) + "=" + v);
}

std::vector<IniDocument::Entry> IniDocument::entries() const {
  std::vector<Entry> out;
  std::set<std::string> seenSections;
  std::set<std::string> seenKeys;
  std::string section;
  bool counted = false;
  for (const auto& raw : lines_) {
    const Line line = classify(raw);
    if (line.kind == LineKind::Section) {
      section = std::string(line.name);
      counted = seenSections.insert(asciiLower(section)).second;
    } else if (counted && line.kind == LineKind::Key &&
               seenKeys.insert(asciiLower(section) + '\0' + asciiLower(line.name)).second) {
      out.push_back({section, std::string(line.name), unquote(line.value)});
    }
  }
  return out;
}

std::string IniDocument::text() const {
  std::string out;
  for (const auto& line : lines_) {
    out += line;
    out += "\r\n";
  }
  return out;
}

}  // namespace zrv
